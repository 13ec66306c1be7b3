#include "textfile.h"

#include "base/fileutils.h"
#include "base/ioerror.h"
#include "base/stalesaves.h"
#include "base/textcodec.h"

#include <QFile>
#include <QSaveFile>

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
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw EInOutError(QStringLiteral("Cannot create file: %1").arg(file.errorString()),
                          fileName);
    const QByteArray bytes = EncodeDataText(text);
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw EInOutError(QStringLiteral("Cannot write file: %1").arg(file.errorString()),
                          fileName);
    RemoveStaleTemporaryFilesOnce(FolderOf(fileName));
}
