#pragma once

#include "base/filefingerprint.h"

#include "storage/months/day.h"
#include "storage/values/moment.h"

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include <QDate>
#include <QString>
#include <QStringList>

class TBlock;

// A month file to read and the user its blocks belong to.
struct TMonthFile {
    QString FileName;
    QString UserName;
};

// Marks of the days of a month, indexed by day number (0 is unused).
using TDayMarks = std::array<bool, 32>;

// What a month is read for. An editable month keeps a snapshot to tell changes and is saved
// to its file; a month read for a report, an export or the server scan keeps none, never
// counts as changed and is never written (a month of several users has no one file to go to).
enum class TMonthUse { Edit, Read };

// One month of time data: a day for every day of the month, filled from the month files of one
// or several user folders, and a snapshot of what was last read or written, so that the month
// knows by itself whether it changed. The month owns its days; a report that keeps them takes
// them over with TakeDays.
class TMonth {
public:
    // Reads the month file of every folder, in order. Without folders the current user's
    // LocalDataPath() is read with CurrentUserName(); otherwise each folder's blocks carry the
    // folder's own name (its last path part) as user name. FileName is the last folder's file.
    // A missing file is an empty month; a line that cannot be read raises EDataLineError and
    // no month is made. An editable month takes its snapshot at the end.
    TMonth(int year, int month, const QStringList& folders = {}, TMonthUse use = TMonthUse::Edit);
    // As CreateFromFile.
    TMonth(const QString& fileName, const QString& userName);
    TMonth(const TMonth&) = delete;
    TMonth& operator=(const TMonth&) = delete;
    ~TMonth();

    // Year and month from the file's name (EInOutError when it is none); read only
    // (TMonthUse::Read). For the server scan and reports.
    static std::unique_ptr<TMonth> CreateFromFile(const QString& fileName, const QString& userName);

    // Appends the blocks of one month file to the days. Lines of other months are ignored.
    void Load(const QString& fileName, const QString& userName);
    // Appends the blocks of several month files, in the order given. The files are read in
    // parallel on the processor's cores; a file that cannot be read raises its error (the first
    // such file's) and no block of any file is appended after it.
    void LoadInParallel(const std::vector<TMonthFile>& files);

    TDay* DayByDate(QDate date) const;
    TDay* DayByNumber(int day) const;
    // The block of the moment's day that starts at the moment's hour and minute.
    TBlock* BlockAt(const TMoment& moment) const;
    // Frees the day of the same date and appends a copy of day.
    void ReplaceDay(const TDay& day);
    // Days by date, every day's blocks by start.
    void Sort();
    // Sorts, then compares the days with the snapshot; false for a month read only.
    bool IsModified();
    // Writes the whole file when the month changed; true when it did. A failed write raises
    // EInOutError, leaves the old file as it was and keeps the month changed. When somebody
    // else (another program, a sync client) has changed the file since it was read, their
    // version is first kept beside it under a name that says so, and the user is told.
    bool Save();
    TMonthUse Use() const { return FUse; }
    // The last entry of the latest day with blocks; the moment 0 when there is none.
    TMoment LastEntryMoment();
    // Marks every day with reportable hours above 0; clears the others.
    void MarkDays(TDayMarks& marks) const;
    // Hands the days over, leaving the month without days.
    std::vector<std::unique_ptr<TDay>> TakeDays();

    std::vector<std::unique_ptr<TDay>> Days;
    std::vector<std::unique_ptr<TDay>> SavedDays;
    int Month;
    int Year;
    QString FileName;

private:
    void AddDays();
    static void AddBlocks(std::vector<std::pair<int, std::unique_ptr<TBlock>>>& blocks,
                          const std::array<TDay*, 32>& dayOfNumber);
    void TakeSnapshot();
    // Keeps the file's present bytes under a new name when they are not the ones read (or
    // last written); that name, or empty when the file is as this month left it.
    QString KeepChangedFile() const;

    TMonthUse FUse;
    TFileFingerprint FLoadedFingerprint; // the file as read or last written (Edit months)
};
