#pragma once

#include "storage/months/day.h"

#include <memory>

#include <QDate>

class TMonth;

// The month of the day view: the current user's month of the calendar's date, its day for
// that date, and whether the month has changes not yet written. Saving never loses an edit:
// a month that cannot be written is reported and stays changed, so the next save tries again.
class TLoadedMonth {
public:
    TLoadedMonth();
    ~TLoadedMonth();
    TLoadedMonth(const TLoadedMonth&) = delete;
    TLoadedMonth& operator=(const TLoadedMonth&) = delete;

    bool IsLoaded() const { return FMonth != nullptr; }
    TMonth* Month() const { return FMonth.get(); }
    TDay* Day() const { return FDay; }
    // Makes date the current day: the loaded month's day when date lies in it, otherwise the
    // month of date is read (with the geometry of view) and is not modified. A loaded month
    // with unwritten changes is never let go for another: then nothing changes and the result
    // is false. A month file that cannot be read raises EDataLineError or EInOutError and
    // leaves nothing loaded.
    bool ShowDate(QDate date, const TDayView& view);
    bool HoldsDate(QDate date) const;
    // Puts a copy of day in the place of the month's day of its date (when the month holds
    // it); the current day is then the month's day of current.
    void RestoreDay(const TDay& day, QDate current);
    // Lets go of the month (and its day) without saving.
    void Release();

    // MonthModified of the day view.
    bool Modified() const { return FModified; }
    // When a month is loaded: the month is changed, and saved at once when saveOnChange.
    void MarkModified(bool saveOnChange);
    // Writes the month when it is loaded and changed. A write that fails is reported in an
    // error box naming the file; the month then stays changed. True unless the write failed.
    bool SaveIfModified();

    // The in-use lists must be built again: set whenever a month file is written.
    bool InUseListsStale = false;

private:
    std::unique_ptr<TMonth> FMonth;
    TDay* FDay = nullptr;
    bool FModified = false;
};
