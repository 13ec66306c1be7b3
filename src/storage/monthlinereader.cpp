#include "monthlinereader.h"

#include "app/textutils.h"
#include "storage/billinginfo.h"
#include "storage/block.h"
#include "storage/converterror.h"
#include "storage/datalineerror.h"
#include "storage/datetexts.h"
#include "storage/timevalues.h"

namespace {
const QChar Tab(u'\t');
const QString FieldStart = QStringLiteral("Start");
const QString FieldEnd = QStringLiteral("End");
const QString FieldDate = QStringLiteral("Date");
// Nine digits always fit an int.
constexpr qsizetype QuickDigits = 9;

QStringView NextField(QStringView& rest) {
    return TrimBlanks(NextTokenView(rest, Tab));
}

// Plain digits without going through a QString; everything else by the general rule, which
// also takes a sign.
bool ReadWholeNumber(QStringView text, int& value) {
    if (!text.isEmpty() && text.size() <= QuickDigits) {
        int quick = 0;
        bool digits = true;
        for (const QChar ch : text) {
            const char16_t code = ch.unicode();
            if (code < u'0' || code > u'9') {
                digits = false;
                break;
            }
            quick = quick * 10 + (code - u'0');
        }
        if (digits) {
            value = quick;
            return true;
        }
    }
    return TryInteger(text.toString(), value);
}

bool IsYes(QStringView field) {
    return field.size() == 1 && (field[0] == u'Y' || field[0] == u'y');
}
} // namespace

TMonthLineReader::TMonthLineReader(QString fileName, QString userName)
    : FFileName(std::move(fileName)), FUserName(TrimBlanks(userName)) {}

QDate TMonthLineReader::ReadDate(QStringView field, int line) {
    if (FLastDate.isValid() && field == QStringView(FLastDateText))
        return FLastDate;
    QDate date;
    if (!TryFixedDateText(field, date)) {
        try {
            date = ParseDateTextByRule(field.toString());
        } catch (const EConvertError& error) {
            throw EDataLineError(FFileName, line, FieldDate, error.Message());
        }
    }
    FLastDateText = field.toString();
    FLastDate = date;
    return date;
}

int TMonthLineReader::ReadTime(QStringView field, const QString& name, int line) const {
    int clock = 0;
    if (!ReadWholeNumber(field, clock))
        throw EDataLineError(FFileName, line, name,
                             QStringLiteral("'%1' is not a whole number").arg(field));
    return ClockToTime(clock);
}

TMonthLine TMonthLineReader::ReadFields(QStringView rest, int line) const {
    TMonthLine fields;
    fields.StartTime = ReadTime(NextField(rest), FieldStart, line);
    fields.EndTime = ReadTime(NextField(rest), FieldEnd, line);
    fields.Client = NextField(rest);
    fields.Project = NextField(rest);
    fields.Category = NextField(rest);
    fields.Activity = NextField(rest);
    fields.Remarks = NextField(rest);
    fields.OverTime = IsYes(NextField(rest));
    fields.Reportable = IsYes(NextField(rest));
    const QStringView chargeable = NextField(rest);
    fields.Chargeable = chargeable.isEmpty() || IsYes(chargeable);
    fields.Billing = NextField(rest);
    return fields;
}

QString TMonthLineReader::RemarksText(QStringView encoded) {
    if (encoded.contains(u'%'))
        return DecodeLineBreaks(encoded);
    return FRemarks.Text(encoded);
}

std::unique_ptr<TBlock> TMonthLineReader::ReadBlock(QStringView rest, int line) {
    const TMonthLine fields = ReadFields(rest, line);
    std::unique_ptr<TBillingInfo> billing;
    if (!fields.Billing.isEmpty())
        billing = TBillingInfo::CreateFromText(fields.Billing.toString());
    auto block = std::make_unique<TBlock>(fields.StartTime, fields.EndTime);
    block->SetFields(FUserName, FClients.Text(fields.Client), FProjects.Text(fields.Project),
                     FCategories.Text(fields.Category), FActivities.Text(fields.Activity),
                     RemarksText(fields.Remarks), fields.OverTime, fields.Reportable,
                     fields.Chargeable, std::move(billing));
    return block;
}
