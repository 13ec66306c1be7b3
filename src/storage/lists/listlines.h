#pragma once

#include "base/datalocations.h"

#include <QString>
#include <QStringList>

// The line format shared by the client/project and category/activity list files: one line
// per sub-entry, fields separated by a tab (consecutive tabs count as one), lines ended by
// CR LF: main name, sub name, "Y"/"N" and, for projects only, a billing text.

// The list files' names (ClientListFileName, ...) are in base/datalocations.h.

// The fields of one line, each trimmed; a missing field is empty.
struct TListLine {
    QString Name;
    QString SubName;
    QString ActiveText;
    QString BillingText;
    // Fields after the fourth, which no reader uses.
    bool HasExtraFields = false;
};

// The lines of a list file; none when the file does not exist. An existing file that cannot
// be read raises EInOutError.
QStringList ReadListFileLines(const QString& fileName);

// Splits a line as read (the client reader trims the whole line first, the category reader
// does not).
TListLine SplitListLine(QString line);
// "Y"/"YES" active, "N"/"NO" inactive (any letter case); anything else, also nothing, active.
bool ReadActiveFlag(const QString& text);
// True when text is one of the four words ReadActiveFlag knows.
bool IsActiveFlagText(const QString& text);

// One line as written: the names (a single space for an empty one), "Y"/"N" and, when not
// empty, the billing text, ended by CR LF.
QString ListLineText(const QString& name, const QString& subName, bool active,
                     const QString& billingText = {});

// A name as the lists keep it: on one line (a tab or line break inside would split the line
// in the file) and trimmed.
QString CleanListName(const QString& name);
// Names of the lists are compared without regard to letter case.
bool SameListName(const QString& one, const QString& other);
// Alphabetical order of names for the trees: the program locale's collation, letter case
// ignored. Negative, zero or positive like QString::compare.
int CompareListNames(const QString& one, const QString& other);
