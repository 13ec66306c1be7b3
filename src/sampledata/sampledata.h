#pragma once

#include <cstdint>

#include <QDate>
#include <QString>
#include <QStringList>

class TCategories;
class TClients;
class TMonth;
class TBlock;
class TDay;

// Makes realistic month files for tests and benchmarks, always the same for the same seed.
// Every file is written through TMonth::Save, so it is exactly what the program writes: 8 to
// 20 blocks on a weekday and a few on some weekends, in the user's unit of time (users take
// 6, 10 and 15 minutes in turn), names from lists of clients, projects, categories and
// activities (some outside Windows-1252), remarks with line breaks, tabs and percent signs,
// some overtime and unreported time, and billing codes and rates for some users.
class TSampleDataGenerator {
public:
    explicit TSampleDataGenerator(std::uint32_t seed);

    // "user001", "user002", ... for index 1, 2, ...
    static QString UserName(int index);

    // Adds the generated blocks of userIndex to the days of month (which should be empty), up
    // to LastDay when it is valid.
    void FillMonth(TMonth& month, int userIndex);
    // Every client with its projects and every category with its activities the generated
    // blocks use, all active.
    static void AddListEntries(TClients& clients, TCategories& categories);

    // Days after this one stay empty; no limit when invalid.
    QDate LastDay;
    // Writes months month files of one user into folder (created when missing), from
    // firstMonth of year on; returns how many block lines they hold.
    std::int64_t WriteUserMonths(const QString& folder, int userIndex, int year, int firstMonth,
                                 int months);
    // The server layout: serverDataPath/<user name>/YYYY-MM.txt for users 1..users. Returns the
    // user folders (through outFolders when given) and the number of block lines.
    std::int64_t WriteServerData(const QString& serverDataPath, int users, int year, int firstMonth,
                                 int months, QStringList* outFolders = nullptr);

private:
    // A number from low to high, both included.
    int Next(int low, int high);
    bool Chance(int percent);
    void FillDay(TDay& day, int userIndex);
    void AddWorkingBlocks(TDay& day, int userIndex, int count);
    void DescribeBlock(TBlock& block, int userIndex);

    std::uint64_t FState;
};
