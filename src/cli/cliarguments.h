#pragma once

#include <QDate>
#include <QString>
#include <QTextStream>

// Reads a YYYY-MM-DD date of the command line; false, with the text named on err, when it is
// not one.
bool ReadIsoDate(const QString& text, QDate& date, QTextStream& err);

// The rules the export and report commands share: both dates or neither, and --users or
// --all-users but not both. False with the reason on err.
bool CheckPeriodAndUsers(QDate from, QDate to, bool allUsers, bool someUsers, QTextStream& err);
