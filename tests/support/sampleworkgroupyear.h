#pragma once

#include <cstdint>

#include <QStringList>
#include <QTemporaryDir>

// A year of generated month files for a work group, in the server layout of a temporary
// folder that is removed with the object: what the benchmarks of reading, reports and exports
// run on. The locale is set to en_US first, so that every run writes the same files.
class TSampleWorkGroupYear {
public:
    static constexpr int Users = 100;
    static constexpr int Year = 2023;
    static constexpr int Months = 12;

    explicit TSampleWorkGroupYear(std::uint32_t seed);

    QTemporaryDir Folder;
    // One folder per user, each ending in "/".
    QStringList UserFolders;
    // Every month file of every user.
    QStringList Files;
    // Block lines in all the files.
    std::int64_t Lines = 0;
};
