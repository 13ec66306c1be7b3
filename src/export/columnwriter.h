#pragma once

#include "datetimepicture.h"
#include "exportitem.h"
#include "storage/money.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

class TReportLine;

// Writes the values of one export column for line after line. The column's format is read
// once, and the texts that repeat from line to line (the date of a day, a time of day, a rate)
// are kept, because an export writes hundreds of thousands of lines.
class TColumnWriter {
public:
    explicit TColumnWriter(const TExportItem& column);

    QString Value(const TReportLine& line);

private:
    enum class TTextCase { AsEntered, Upper, Lower };

    QString Text(const QString& text) const;
    QString Flag(bool value) const { return value ? FTrueText : FFalseText; }
    QString Money(TMoney amount) const;
    QString DateText(QDate date);
    QString TimeText(int time);
    QString RateText(const TReportLine& line);

    const TExportItem& FColumn;
    // The column's format word, read once.
    TTextCase FTextCase = TTextCase::AsEntered;
    QString FTrueText;
    QString FFalseText;
    QString FFormatWord;
    QString FCurrencyPrefix;
    std::optional<TPicture> FPicture;
    QDate FLastDate;
    QString FLastDateText;
    std::vector<QString> FTimeTexts; // by clock value 0..2359, filled as met
    QString FLastRateSource;
    QString FLastRateText;
};
