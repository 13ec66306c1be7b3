#include "ioerror.h"

EInOutError::EInOutError(QString message, QString fileName, int line)
    : FMessage(std::move(message)), FFileName(std::move(fileName)), FLine(line),
      FWhat(Text().toStdString()) {}

QString EInOutError::Text() const {
    if (FFileName.isEmpty())
        return FMessage;
    if (FLine > 0)
        return QStringLiteral("%1, line %2: %3").arg(FFileName).arg(FLine).arg(FMessage);
    return QStringLiteral("%1: %2").arg(FFileName, FMessage);
}
