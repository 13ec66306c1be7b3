#pragma once

#include <QByteArray>
#include <QString>

// What a file held when it was read: whether it was there, its size and a hash of its bytes.
// A file that others may change is compared by this before it is replaced, because time
// stamps alone miss a change within the same tick (one or two seconds on SMB and FAT servers).
struct TFileFingerprint {
    bool Exists = false;
    qint64 Size = 0;
    QByteArray Hash;

    bool operator==(const TFileFingerprint& other) const = default;
};

// The fingerprint of bytes read from an existing file.
TFileFingerprint FingerprintOfBytes(const QByteArray& bytes);
// Reads the file now: not Exists when there is none; raises EInOutError naming the file when
// it is there but cannot be read.
TFileFingerprint FileFingerprint(const QString& path);
