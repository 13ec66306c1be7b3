#pragma once

#include "base/filestamp.h"

#include <functional>

#include <QByteArray>
#include <QString>
#include <QStringList>

// How a read or a write of a shared file under its lock ended.
enum class TSharedFileResult {
    Done,            // the read or write ran
    NotLocked,       // somebody else holds the lock: nothing ran
    ChangedByAnother // written by somebody else since this program read it: nothing was written
};

// The stamp of one shared file (the administration settings, an export format) as this
// program last read or wrote it under the file's lock, and the reads and writes that keep it.
// A write is refused when the file has been written by somebody else since; every write under
// the lock leaves the file with a later stamp than before, so this holds even for two writes
// within one tick of the file system's clock. Locks are taken only when the data is shared;
// in single-user use reads and writes go straight to the file and nothing is compared.
class TSharedFileStamp {
public:
    // The stamp of a file this program knows nothing about: any existing file is newer.
    static constexpr TFileStamp UnknownStamp = 0;

    TFileStamp Stamp() const { return FStamp; }
    // Sets the stamp and forgets the content, which is then compared no more until it is
    // read or written again.
    void SetStamp(TFileStamp stamp) {
        FStamp = stamp;
        FContent.clear();
    }
    // True when a file whose stamp is current has been written since the remembered stamp.
    bool IsOlderThan(TFileStamp current) const { return FStamp < current; }
    // True when path, whose stamp is current, is no longer what this program last read or
    // wrote: a later stamp or, since file systems with coarse stamps (SMB, FAT, ext2) give a
    // change within the same second the same stamp, other content of path or its companions.
    bool ChangedSince(const QString& path, TFileStamp current) const;
    // Takes what path and its companions hold now as what this program last read or wrote.
    void RememberContent(const QString& path) { FContent = ContentOf(path); }
    // What path and its companions hold now, as a hash; and taking such a hash as remembered.
    QByteArray ContentOf(const QString& path) const;
    void SetContent(QByteArray content) { FContent = std::move(content); }
    // Further files that are written under path's lock and count as part of it (the shared
    // lists beside the administration settings).
    void SetCompanions(std::function<QStringList()> companions) {
        FCompanions = std::move(companions);
    }

    // Runs read under the lock of path (which creates a missing file empty) and remembers the
    // stamp. NotLocked: read did not run and the stamp becomes UnknownStamp, so that the next
    // write reports a change. An exception from read releases the lock and passes on.
    TSharedFileResult Read(const QString& path, const std::function<void()>& read);
    // Takes the lock of path; when the file is no newer than the remembered stamp, runs write
    // (which writes path whole) and remembers the new stamp. An exception from write releases
    // the lock and passes on; the file then counts as changed.
    TSharedFileResult Write(const QString& path, const std::function<void()>& write);

private:
    TFileStamp FStamp = UnknownStamp;
    QByteArray FContent; // hash of what path and its companions held; empty when unknown
    std::function<QStringList()> FCompanions;
};
