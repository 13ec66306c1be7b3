#include "monthlinereader.h"

#include "base/charsearch.h"
#include "base/converterror.h"
#include "base/textutils.h"
#include "storage/months/billinginfo.h"
#include "storage/months/block.h"
#include "storage/months/bytefields.h"
#include "storage/months/datalineerror.h"
#include "storage/months/namestore.h"
#include "storage/values/datetexts.h"
#include "storage/values/timevalues.h"

#include <algorithm>

namespace {
const QString FieldStart = QStringLiteral("Start");
const QString FieldEnd = QStringLiteral("End");
const QString FieldDate = QStringLiteral("Date");
// Nine digits always fit an int.
constexpr std::size_t MaxPlainDigits = 9;

// Plain digits straight from the bytes; false for anything else, which the general rule reads.
bool ReadPlainDigits(std::string_view field, int& value) {
    if (field.empty() || field.size() > MaxPlainDigits)
        return false;
    int digits = 0;
    for (const char ch : field) {
        if (ch < '0' || ch > '9')
            return false;
        digits = digits * 10 + (ch - '0');
    }
    value = digits;
    return true;
}

bool IsYes(std::string_view field) {
    return field.size() == 1 && (field[0] == 'Y' || field[0] == 'y');
}

bool SameBytes(std::string_view a, std::string_view b) {
    return a.size() == b.size() && BytesEqual(a.data(), b.data(), a.size());
}
} // namespace

TMonthLineReader::TMonthLineReader(QString fileName, QString userName, TDataEncoding encoding)
    : FFileName(std::move(fileName)), FUserName(TNameStore::Instance().Name(TrimBlanks(userName))),
      FEncoding(encoding), FClients(encoding), FProjects(encoding), FCategories(encoding),
      FActivities(encoding), FRemarks(encoding, TTextPool::TKind::Texts, DecodeLineBreaks) {}

QString TMonthLineReader::Text(std::string_view bytes) const {
    return DecodeDataBytes(bytes.data(), static_cast<qsizetype>(bytes.size()), FEncoding);
}

QDate TMonthLineReader::ReadDate(std::string_view field, int line) {
    if (FLastDate.isValid() && SameBytes(field, FLastDateText))
        return FLastDate;
    const QString text = Text(field);
    QDate date;
    if (!TryFixedDateText(text, date)) {
        try {
            date = ParseDateTextByRule(text);
        } catch (const EConvertError& error) {
            throw EDataLineError(FFileName, line, FieldDate, error.Message());
        }
    }
    FLastDateText = field;
    FLastDate = date;
    return date;
}

int TMonthLineReader::ReadTime(std::string_view field, const QString& name, int line) const {
    int clock = 0;
    // A text is made only when the field is not plain digits; the general rule takes a sign.
    if (!ReadPlainDigits(field, clock) && !TryInteger(Text(field), clock))
        throw EDataLineError(FFileName, line, name,
                             QuotedText(Text(field)) + QStringLiteral(" is not a whole number"));
    return ClockToTime(clock);
}

TMonthLine TMonthLineReader::ReadFields(std::string_view rest, int line) const {
    // A member kept from line to line, so that no fresh array is cleared for every line:
    // splitting sets every field anyway.
    std::array<std::string_view, FieldsAfterDate>& fields = FFields;
    SplitTabFields(rest, fields);
    for (std::string_view& field : fields)
        field = TrimByteBlanks(field);
    const std::string_view chargeable = fields[9];
    return TMonthLine{ReadTime(fields[0], FieldStart, line),
                      ReadTime(fields[1], FieldEnd, line),
                      fields[2],
                      fields[3],
                      fields[4],
                      fields[5],
                      fields[6],
                      IsYes(fields[7]),
                      IsYes(fields[8]),
                      chargeable.empty() || IsYes(chargeable),
                      fields[10]};
}

std::unique_ptr<TBillingInfo> TMonthLineReader::Billing(std::string_view text) {
    if (text.empty())
        return nullptr;
    const std::optional<TBillingInfo>& info = CachedBilling(text);
    return info ? std::make_unique<TBillingInfo>(*info) : nullptr;
}

// Billing texts repeat from block to block (the rates of a work group), so they are cached per
// file: each is parsed once, and what it gave (nothing when unreadable) serves the other lines.
const std::optional<TBillingInfo>& TMonthLineReader::CachedBilling(std::string_view text) {
    auto known = FBillings.find(text);
    if (known != FBillings.end())
        return known->second;
    std::optional<TBillingInfo> info;
    if (std::unique_ptr<TBillingInfo> read = TBillingInfo::CreateFromText(Text(text)))
        info = *read;
    return FBillings.emplace(std::string(text), std::move(info)).first->second;
}

std::unique_ptr<TBlock> TMonthLineReader::ReadBlock(std::string_view rest, int line) {
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
