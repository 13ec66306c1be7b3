#include "columnwriter.h"

#include "exportitem.h"
#include "exportvalues.h"

#include <bit>

std::size_t TValueKeyHash::operator()(const TValueKey& key) const {
    return std::size_t((key.First ^ (std::uint64_t(key.Second) * 0xC2B2AE3D27D4EB4FULL)) *
                       0x9E3779B97F4A7C15ULL);
}

TColumnWriter::TColumnWriter(const TExportFormat& format, const TExportItem& column, QString suffix)
    : FFormat(format), FColumn(column), FSuffix(std::move(suffix)) {
    ChooseKey();
}

void TColumnWriter::ChooseKey() {
    const TLineSource source = LineSourceOf(FColumn.Field);
    FText = source.Text;
    FTime = source.Time;
    switch (source.Kind) {
    case TLineValue::Text:
    case TLineValue::Remarks:
    case TLineValue::Rate:
        FKind = TKeyKind::Text;
        break;
    case TLineValue::Date:
        FKind = TKeyKind::Date;
        break;
    case TLineValue::Time:
        FKind = TKeyKind::Time;
        break;
    case TLineValue::Duration:
        FKind = TKeyKind::Duration;
        break;
    case TLineValue::Overtime:
        FKind = TKeyKind::Overtime;
        break;
    case TLineValue::Chargeable:
        FKind = TKeyKind::Chargeable;
        break;
    case TLineValue::Amount:
        FKind = TKeyKind::Amount;
        break;
    case TLineValue::Reportable:
    case TLineValue::Constant:
        FKind = TKeyKind::Constant;
        break;
    }
}

TValueKey TColumnWriter::Key(const TReportLine& line) const {
    switch (FKind) {
    case TKeyKind::Text: {
        // Two live texts that start at one address differ in length, if at all, by far less
        // than 2^32.
        const QString& text = line.*FText;
        return {std::uint64_t(reinterpret_cast<std::uintptr_t>(text.constData())),
                std::uint32_t(text.size())};
    }
    case TKeyKind::Date:
        return {std::uint64_t(line.Date.toJulianDay()), 0};
    case TKeyKind::Time:
        return {std::uint64_t(std::int64_t(line.*FTime)), 0};
    case TKeyKind::Duration:
        return {std::bit_cast<std::uint64_t>(line.TotalHours()), 0};
    case TKeyKind::Overtime:
        return {line.OvertimeHours != 0, 0};
    case TKeyKind::Chargeable:
        return {line.Chargeable, 0};
    case TKeyKind::Amount:
        return {std::uint64_t(line.Amount.Units()), 0};
    case TKeyKind::Constant:
        break;
    }
    return {};
}

int TColumnWriter::IndexOf(const TReportLine& line) {
    const TValueKey key = Key(line);
    if (FLastIndex >= 0 && key == FLastKey)
        return FLastIndex;
    const auto known = FByKey.find(key);
    const int index = known != FByKey.end() ? known->second : FindOrMake(key, line);
    FLastKey = key;
    FLastIndex = index;
    return index;
}

int TColumnWriter::FindOrMake(const TValueKey& key, const TReportLine& line) {
    if (FValues.size() >= MaxValues)
        Forget();
    const int next = int(FValues.size());
    if (FText) {
        const QString& text = line.*FText;
        if (const auto found = FBySource.constFind(text); found != FBySource.cend()) {
            FByKey.emplace(key, *found);
            return *found;
        }
        FBySource.insert(text, next);
    }
    FByKey.emplace(key, next);
    FValues.push_back(MakeValue(line));
    FBytes.push_back(FValues.back().Encoded.Bytes());
    return next;
}

TColumnWriter::TValue TColumnWriter::MakeValue(const TReportLine& line) const {
    QString text = ReplaceDelimiter(FFormat, FormatValue(FColumn, line)) + FSuffix;
    TEncodedText encoded(text);
    return {std::move(text), std::move(encoded)};
}

void TColumnWriter::ForgetAddresses() {
    if (FKind != TKeyKind::Text)
        return; // the other keys are the values' own inputs
    FLastIndex = -1;
    FByKey.clear();
}

void TColumnWriter::Forget() {
    ++FGeneration;
    FLastIndex = -1;
    FValues.clear();
    FBytes.clear();
    FBySource.clear();
    FByKey.clear();
}
