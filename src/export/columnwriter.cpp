#include "columnwriter.h"

#include "app/textutils.h"
#include "exportengine.h"
#include "reporting/reportline.h"

namespace {
const QString LocalSettings = QStringLiteral("Local Settings");

bool IsDateField(int field) { return field == efDate; }
bool IsTimeField(int field) { return field == efStartTime || field == efEndTime; }

// Remarks on one line; most have no line break or tab and pass as they are.
QString OneLine(const QString& text) {
    for (const QChar ch : text)
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\n') || ch == QLatin1Char('\t'))
            return SingleLine(text);
    return text;
}
} // namespace

TColumnWriter::TColumnWriter(const TExportItem& column)
    : FColumn(column), FTrueText(FormatTrueFalseValue(true, column.FieldFormat)),
      FFalseText(FormatTrueFalseValue(false, column.FieldFormat)), FFormatWord(column.FieldFormat),
      FCurrencyPrefix(FormatCurrencyValue(TMoney(), column.FieldFormat)
                          .chopped(FormatMoney(TMoney()).size())) {
    if (column.FieldFormat == QLatin1String("Upper case"))
        FTextCase = TTextCase::Upper;
    else if (column.FieldFormat == QLatin1String("Lower case"))
        FTextCase = TTextCase::Lower;
    if (IsDateField(column.Field))
        FPicture.emplace(column.FieldFormat == LocalSettings ? LocalShortDatePicture()
                                                             : column.FieldFormat,
                         false);
    else if (IsTimeField(column.Field))
        FPicture.emplace(column.FieldFormat == LocalSettings ? LocalTimePicture() : column.FieldFormat,
                         true);
}

QString TColumnWriter::Text(const QString& text) const {
    return FTextCase == TTextCase::AsEntered ? text : FormatTextValue(text, FFormatWord);
}

QString TColumnWriter::Money(TMoney amount) const { return FCurrencyPrefix + FormatMoney(amount); }

QString TColumnWriter::DateText(QDate date) {
    if (date != FLastDate || FLastDateText.isNull()) {
        FLastDate = date;
        FLastDateText = FPicture->Format(date, QTime());
    }
    return FLastDateText;
}

QString TColumnWriter::TimeText(int time) {
    const int clock = ExportClock(time);
    if (FTimeTexts.empty())
        FTimeTexts.resize(2400);
    QString& text = FTimeTexts[std::size_t(clock)];
    if (text.isNull())
        text = FPicture->Format(QDate(), QTime(clock / 100, clock % 100));
    return text;
}

QString TColumnWriter::RateText(const TReportLine& line) {
    if (line.RateText != FLastRateSource || FLastRateText.isNull()) {
        FLastRateSource = line.RateText;
        FLastRateText = Money(line.RateValue());
    }
    return FLastRateText;
}

QString TColumnWriter::Value(const TReportLine& line) {
    switch (FColumn.Field) {
    case efUser: return Text(line.User);
    case efDate: return DateText(line.Date);
    case efClient:
    case efClientList: return Text(line.Client);
    case efProject:
    case efProjectList: return Text(line.Project);
    case efCategory:
    case efCategoryList: return Text(line.Category);
    case efActivity:
    case efActivityList: return Text(line.Activity);
    case efRemarks: return Text(OneLine(line.Remarks));
    case efStartTime: return TimeText(line.StartTime);
    case efEndTime: return TimeText(line.EndTime);
    case efDuration: return FormatNumberValue(line.TotalHours(), FFormatWord);
    case efIsOvertime: return Flag(line.OvertimeHours != 0);
    case efIsReportable: return Flag(true);
    case efIsChargeable: return Flag(line.Chargeable);
    case efChargeType: return Text(line.BillingCode);
    case efChargeRate: return RateText(line);
    case efTotalCharge: return Money(line.Amount);
    default: return Text(FColumn.FieldValue);
    }
}
