#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Who holds a lock file, as the holder wrote it there: the program's user name, the machine,
// the process and when the lock was taken. The same text serves this program (is the holder
// gone?) and a person who finds the file.
struct TLockHolder {
    QString User;
    QString Host;
    qint64 Process = 0;
    QDateTime Since;

    bool IsEmpty() const { return Host.isEmpty() && User.isEmpty() && Process == 0; }
    bool IsOnThisMachine() const;
    // "user001 on ws-7 (process 4711) since 2024-03-05 14:02:10"; "an unknown holder" when
    // the file says nothing.
    QString Description() const;
};

// The holder text of this process, with CR LF line ends.
QByteArray OwnLockHolderText();
// Reads what a lock file says; missing keys stay empty.
TLockHolder ParseLockHolder(const QByteArray& text);
// What the lock file at path says (nothing when it cannot be read).
TLockHolder ReadLockHolder(const QString& path);
// The name of this machine as lock files give it.
QString ThisMachineName();
