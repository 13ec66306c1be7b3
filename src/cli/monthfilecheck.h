#pragma once

#include <QString>

#include <vector>

// One thing wrong in a data file: the file, the line (0 when it is about the whole file) and
// what is wrong.
struct TDataProblem {
    QString File;
    int Line = 0;
    QString Message;
};

// Reads a month file the way the program does, but goes on after a bad line, and appends a
// problem for every line the program cannot read (which stops it from opening the month), for
// every line whose date lies outside the file's month or whose billing text cannot be read
// (the program drops those), and for times that are not a span within one day. Never writes.
void CheckMonthFile(const QString& fileName, std::vector<TDataProblem>& problems);

// Checks every month file of folder in name order; returns how many it checked.
int CheckMonthFolder(const QString& folder, std::vector<TDataProblem>& problems);
