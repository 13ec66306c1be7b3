#include "filecopyfailed.h"

EFileCopyFailed::EFileCopyFailed(QString source, QString target, QString reason)
    : EInOutError(QStringLiteral("File Copy Failed"), std::move(target)),
      FSource(std::move(source)), FReason(std::move(reason)) {}
