#include "textfile.h"

#include "base/atomicfile.h"
#include "base/ioerror.h"
#include "base/textcodec.h"

#include <QFile>

QString ReadTextFile(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EInOutError(QStringLiteral("Cannot open file: %1").arg(file.errorString()), fileName);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EInOutError(QStringLiteral("Cannot read file: %1").arg(file.errorString()), fileName);
    return DecodeDataText(bytes);
}

void WriteTextFile(const QString& fileName, const QString& text) {
    WriteFileWhole(fileName, EncodeDataText(text));
}
