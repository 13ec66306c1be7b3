#pragma once

#include "search/searchfilter.h"

#include <functional>
#include <vector>

#include <QDate>
#include <QString>

class TBlock;

// What to look for: up to two filters joined by the logic, between two dates (a null date is
// no limit), at most Limit entries listed.
struct TSearchRequest {
    TSearchFilter Filter1;
    TSearchFilter Filter2;
    TSearchLogic Logic = TSearchLogic::Only;
    QDate From;
    QDate To;
    int Limit = 1000;
};

// One listed match: its day, the block's times and texts, and the entry text the search
// panel lists ("06/03/2024<tab>9:00 AM" in the locale's short forms).
struct TSearchMatch {
    QDate Date;
    int StartTime = 0;
    int EndTime = 0;
    QString Client;
    QString Project;
    QString Category;
    QString Activity;
    QString Remarks;
    QString EntryText;
};

struct TSearchResult {
    std::vector<TSearchMatch> Listed; // by date and start, one per entry text
    int Count = 0;                    // every match, duplicates of an entry text included
    bool Complete = true;             // Count <= the limit
};

// The entry text of a block's day and start: the date in the locale's short form, a tab and
// the start as clock text without seconds.
QString SearchEntryText(QDate date, int startTime);
// Reads the number of a Duration, Rate Amount or Total Charge filter in the locale's form (or
// with a point); false unless it is a number of at least 0.
bool ReadFilterNumber(const QString& text, double& number);
// Whether block matches filter (its value lower-cased; number its numeric value).
bool MatchesFilter(const TBlock& block, const TSearchFilter& filter, const QString& value,
                   double number);

// Searches the current user's month files in LocalDataPath() ("YYYY-MM.txt", in name order)
// within the dates; the months are read on all cores and joined in order. A month file that
// cannot be read raises its EDataLineError (the earliest such month's).
TSearchResult FindEntries(const TSearchRequest& request);
