#include "filefingerprint.h"

#include "base/ioerror.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

TFileFingerprint FingerprintOfBytes(const QByteArray& bytes) {
    TFileFingerprint print;
    print.Exists = true;
    print.Size = bytes.size();
    print.Hash = QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
    return print;
}

TFileFingerprint FileFingerprint(const QString& path) {
    if (!QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file: %1").arg(file.errorString()), path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(QStringLiteral("Cannot read file: %1").arg(file.errorString()), path);
    return FingerprintOfBytes(bytes);
}
