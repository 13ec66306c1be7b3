#pragma once

#include <unordered_set>

#include <QHashFunctions> // std::hash of QString
#include <QString>
#include <QStringList>

// The rows of a Client or Category group: each row once, letter case ignored (the first of
// rows that differ only in case is kept), sorted at the end. Looking rows up in sets keeps
// the work linear in the number of rows offered.
class TDistinctRows {
public:
    // Keeps row unless it is empty or an equal row, letter case ignored, is kept already.
    void Add(const QString& row);
    // The kept rows ascending by the locale's collation without regard to case; rows that
    // compare equal stay in the order they came.
    QStringList Sorted() const;
    // The kept rows in the order they came.
    const QStringList& InOrderMet() const { return FRows; }

private:
    QStringList FRows;
    // Most repeats are exact, and the exact text is cheaper to look up than the folded one.
    std::unordered_set<QString> FExact;
    std::unordered_set<QString> FFolded;
};
