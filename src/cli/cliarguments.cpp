#include "cliarguments.h"

bool ReadIsoDate(const QString& text, QDate& date, QTextStream& err) {
    date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid())
        err << "Not a date (YYYY-MM-DD): " << text << '\n';
    return date.isValid();
}

bool CheckPeriodAndUsers(QDate from, QDate to, bool allUsers, bool someUsers, QTextStream& err) {
    if (from.isValid() != to.isValid()) {
        err << "Give both --from and --to, or neither.\n";
        return false;
    }
    if (allUsers && someUsers) {
        err << "Give --users or --all-users, not both.\n";
        return false;
    }
    return true;
}
