#include "datalineerror.h"

EDataLineError::EDataLineError(const QString& fileName, int line, QString field,
                               const QString& problem)
    : EInOutError(field + QStringLiteral(": ") + problem, fileName, line),
      FField(std::move(field)) {}
