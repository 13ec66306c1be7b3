#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class TBlock;

// Month files: one file per user and month, one tab-separated line per block.

// "2024-03.txt" for March 2024.
QString MonthFileName(int year, int month);
// A name (without folder) of exactly 11 characters with the extension ".txt" in any letter
// case, "-" as 5th character, and characters 1-4 and 6-7 each a whole number.
bool IsMonthFileName(const QString& name);
// Year and month from characters 1-4 and 6-7 of the file's own name; false when it is not a
// month file name. The month is not checked against 1..12.
bool MonthOfFileName(const QString& fileName, int& year, int& month);
// The names of the month files of folder (plain files matching "????-??.txt" that are month
// file names), in name order, which is the order of their months.
QStringList MonthFileNames(const QString& folder);

// Appends the block's line, ended by CR LF, for the day whose DateText is dateText. Every field
// is written non-empty (a single space for an empty text); the remarks are encoded into one
// field, and tabs and line breaks in the four names become spaces, so one block stays one line.
void AppendMonthLine(QString& text, const QString& dateText, const TBlock& block);

// Where a month file's bytes written by somebody else are kept when this program saves over
// them: "2024-03 (other version 2024-03-28 16.40.05).txt" beside the file (with " 2", " 3", ...
// added while that name is taken). Not a month file name, so nothing reads it as one.
QString ChangedMonthFileName(const QString& fileName, const QDateTime& when);
// What the user is told when a month file changed by somebody else was kept as keptAs.
QString ChangedMonthFileText(const QString& fileName, const QString& keptAs);
