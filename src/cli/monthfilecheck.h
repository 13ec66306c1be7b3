#pragma once

#include "checkproblem.h"

#include <QString>

#include <vector>

// Reads a month file the way the program does, but goes on after a bad line, and appends a
// problem for every line the program cannot read (which stops it from opening the month), for
// every line whose date lies outside the file's month or whose billing text cannot be read
// (the program drops those), and for times that are not a span within one day. Never writes.
void CheckMonthFile(const QString& fileName, std::vector<TCheckProblem>& problems);

// Checks every month file of folder in name order; returns how many it checked.
int CheckMonthFolder(const QString& folder, std::vector<TCheckProblem>& problems);
