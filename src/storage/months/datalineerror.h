#pragma once

#include "base/ioerror.h"

#include <QString>

// A line of a data file that cannot be read: the file, the line number, the field that
// failed and what was wrong with it. The message starts with the field's name, e.g.
// "Start: '09x0' is not a whole number".
class EDataLineError : public EInOutError {
public:
    EDataLineError(const QString& fileName, int line, QString field, const QString& problem);

    const QString& Field() const { return FField; }

private:
    QString FField;
};
