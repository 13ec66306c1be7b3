#include "monthlinereader.h"

#include "app/textutils.h"
#include "storage/billinginfo.h"
#include "storage/block.h"
#include "storage/charsearch.h"
#include "storage/converterror.h"
#include "storage/datalineerror.h"
#include "storage/datetexts.h"
#include "storage/timevalues.h"

#include <algorithm>

namespace {
const QString FieldStart = QStringLiteral("Start");
const QString FieldEnd = QStringLiteral("End");
const QString FieldDate = QStringLiteral("Date");
// Nine digits always fit an int.
constexpr qsizetype QuickDigits = 9;

// NextTokenView with a tab, trimmed; kept here so that it is inlined into the line reading.
QStringView NextField(QStringView& rest) {
    const qsizetype n = rest.size();
    const char16_t* chars = rest.utf16();
    qsizetype start = 0;
    while (start < n && chars[start] == u'\t')
        ++start;
    const qsizetype end = start + FindChar(rest.mid(start), u'\t');
    while (start < end && chars[start] <= u' ')
        ++start;
    qsizetype last = end;
    while (last > start && chars[last - 1] <= u' ')
        --last;
    const QStringView field(chars + start, last - start);
    rest = end >= n - 1 ? rest.mid(end) : rest.mid(end + 1);
    return field;
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
    : FFileName(std::move(fileName)), FUserName(TrimBlanks(userName)),
      FRemarks(DecodeLineBreaks) {}

QDate TMonthLineReader::ReadDate(QStringView field, int line) {
    if (FLastDate.isValid() && SameChars(field, FLastDateText))
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

std::unique_ptr<TBillingInfo> TMonthLineReader::Billing(QStringView text) {
    if (text.isEmpty())
        return nullptr;
    const auto known = std::find_if(FKnownBilling.begin(), FKnownBilling.end(),
                                    [text](const TKnownBilling& k) { return SameChars(k.Text, text); });
    std::optional<TBillingInfo> info;
    if (known != FKnownBilling.end()) {
        info = known->Info;
    } else {
        if (std::unique_ptr<TBillingInfo> read = TBillingInfo::CreateFromText(text.toString()))
            info = *read;
        if (FKnownBilling.size() < KnownBillingCapacity)
            FKnownBilling.push_back({text.toString(), info});
    }
    return info ? std::make_unique<TBillingInfo>(*info) : nullptr;
}

std::unique_ptr<TBlock> TMonthLineReader::ReadBlock(QStringView rest, int line) {
    const TMonthLine fields = ReadFields(rest, line);
    std::unique_ptr<TBillingInfo> billing = Billing(fields.Billing);
    // What SetFields stores, without trimming again what is trimmed already.
    auto block = std::make_unique<TBlock>(fields.StartTime, fields.EndTime);
    block->UserName = FUserName;
    block->Client = FClients.Text(fields.Client);
    block->Project = FProjects.Text(fields.Project);
    block->Category = FCategories.Text(fields.Category);
    block->Activity = FActivities.Text(fields.Activity);
    block->Remarks = TrimBlanks(FRemarks.Text(fields.Remarks));
    block->OverTime = fields.OverTime;
    block->Reportable = fields.Reportable;
    block->Chargeable = billing ? billing->IsChargeable() : fields.Chargeable;
    block->BillingInfo = std::move(billing);
    return block;
}
