#pragma once

#include <QDate>
#include <QString>
#include <QTextStream>

// Reads a YYYY-MM-DD date of the command line; false, with the text named on err, when it is
// not one.
bool ReadIsoDate(const QString& text, QDate& date, QTextStream& err);
