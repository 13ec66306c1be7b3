#include "cliarguments.h"

bool ReadIsoDate(const QString& text, QDate& date, QTextStream& err) {
    date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        err << "Not a date (YYYY-MM-DD): " << text << '\n';
    return date.isValid();
}
