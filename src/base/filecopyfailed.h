#pragma once

#include "base/ioerror.h"

#include <QString>

// A file copy of the backup or of the export-format copy that did not succeed. The message is
// "File Copy Failed"; the file is the copy's target, and the reason tells why.
class EFileCopyFailed : public EInOutError {
public:
    EFileCopyFailed(QString source, QString target, QString reason);

    const QString& Source() const { return FSource; }
    const QString& Reason() const { return FReason; }

private:
    QString FSource;
    QString FReason;
};
