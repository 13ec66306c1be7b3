#include "lockholder.h"

#include "base/datalocations.h"
#include "base/processenvironment.h"

#include <unistd.h>

#include <QFile>
#include <QSysInfo>

namespace {
const QByteArray UserKey = QByteArrayLiteral("User=");
const QByteArray HostKey = QByteArrayLiteral("Host=");
const QByteArray ProcessKey = QByteArrayLiteral("Process=");
const QByteArray SinceKey = QByteArrayLiteral("Since=");
constexpr qint64 LongestHolderText = 4096;

// Line breaks in a name would make a key of their own.
QByteArray OneLine(const QString& text) {
    QString line = text;
    line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return line.toUtf8();
}

QString UserForLock() {
    const QString user = CurrentUserName();
    return user.isEmpty() ? LogonUserName() : user;
}
} // namespace

QString ThisMachineName() {
    return QSysInfo::machineHostName();
}

bool TLockHolder::IsOnThisMachine() const {
    return !Host.isEmpty() && Host == ThisMachineName();
}

QString TLockHolder::Description() const {
    if (IsEmpty())
        return QStringLiteral("an unknown holder");
    QString text = User.isEmpty() ? QStringLiteral("an unknown user") : User;
    if (!Host.isEmpty())
        text += QStringLiteral(" on ") + Host;
    if (Process > 0)
        text += QStringLiteral(" (process %1)").arg(Process);
    if (Since.isValid())
        text += QStringLiteral(" since ") + Since.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return text;
}

QByteArray OwnLockHolderText() {
    return UserKey + OneLine(UserForLock()) + "\r\n" + HostKey + OneLine(ThisMachineName()) +
           "\r\n" + ProcessKey + QByteArray::number(qint64(::getpid())) + "\r\n" + SinceKey +
           QDateTime::currentDateTime().toString(Qt::ISODate).toUtf8() + "\r\n";
}

TLockHolder ParseLockHolder(const QByteArray& text) {
    TLockHolder holder;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (line.startsWith(UserKey))
            holder.User = QString::fromUtf8(line.mid(UserKey.size()));
        else if (line.startsWith(HostKey))
            holder.Host = QString::fromUtf8(line.mid(HostKey.size()));
        else if (line.startsWith(ProcessKey))
            holder.Process = line.mid(ProcessKey.size()).toLongLong();
        else if (line.startsWith(SinceKey))
            holder.Since = QDateTime::fromString(QString::fromUtf8(line.mid(SinceKey.size())),
                                                 Qt::ISODate);
    }
    return holder;
}

TLockHolder ReadLockHolder(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return ParseLockHolder(file.read(LongestHolderText));
}
