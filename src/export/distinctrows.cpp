#include "distinctrows.h"

#include "base/applocale.h"

#include <algorithm>

#include <QCollator>

void TDistinctRows::Add(const QString& row) {
    if (row.isEmpty() || !FExact.insert(row).second)
        return;
    if (FFolded.insert(row.toCaseFolded()).second)
        FRows.append(row);
}

QStringList TDistinctRows::Sorted() const {
    QStringList rows = FRows;
    QCollator collator(AppLocale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(rows.begin(), rows.end(), [&](const QString& a, const QString& b) {
        return collator.compare(a, b) < 0;
    });
    return rows;
}
