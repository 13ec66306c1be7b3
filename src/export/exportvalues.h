#pragma once

#include "exportvocabulary.h"
#include "reporting/reportline.h"
#include "storage/values/money.h"

#include <QDate>
#include <QString>

class TExportFormat;
class TExportItem;

// The rules by which an export column turns a report line into text.

// What a column's value follows from in a report line: the kind of value, and for texts and
// times the line's field.
enum class TLineValue {
    Text,
    Remarks, // a text made one line
    Date,
    Time,
    Duration,
    Overtime,
    Chargeable,
    Reportable, // always true: only reportable blocks are exported
    Rate,       // the rate's text gives its value
    Amount,
    Constant // the user-defined column's own value
};
struct TLineSource {
    TLineValue Kind = TLineValue::Constant;
    const QString TReportLine::*Text = nullptr;
    int TReportLine::*Time = nullptr;
};
// The one table from export fields to the report line's fields.
TLineSource LineSourceOf(TExportField field);

// The text of one column for one report line.
QString FormatValue(const TExportItem& column, const TReportLine& line);

// text with every occurrence of the delimiter (letter case ignored) replaced by the
// replacement character.
QString ReplaceDelimiter(const TExportFormat& format, const QString& text);

// The value rules by format word, shared with the column editor's samples.
QString FormatTextValue(const QString& text, const QString& format);
QString FormatNumberValue(double value, const QString& format);
QString FormatTrueFalseValue(bool value, const QString& format);
QString FormatCurrencyValue(TMoney amount, const QString& format);
QString FormatDateValue(QDate date, const QString& format);
QString FormatTimeValue(int time, const QString& format);
// The clock value (HHMM) a time is written as: 0 for a negative time or an hour past 23 (so an
// end of 24:00 is written as midnight), minutes at most 59.
int ExportClock(int time);
