#include "columnwriter.h"

#include "exportengine.h"
#include "exportitem.h"
#include "reporting/reportline.h"

#include <algorithm>
#include <bit>

namespace {
// Two live texts that start at one address differ in length, if at all, by far less than 2^32.
TValueKey TextKey(const QString& text) {
    return {std::uint64_t(reinterpret_cast<std::uintptr_t>(text.constData())),
            std::uint32_t(text.size())};
}

TValueKey NumberKey(std::int64_t value) {
    return {std::uint64_t(value), 0};
}

TValueKey RealKey(double value) {
    return {std::bit_cast<std::uint64_t>(value), 0};
}
} // namespace

TColumnWriter::TColumnWriter(const TExportFormat& format, const TExportItem& column, QString suffix)
    : FFormat(format), FColumn(column), FSuffix(std::move(suffix)),
      FSetShift(64 - (IsTextColumn() ? TextSetBits : OtherSetBits)),
      FSlots(SetSize << (64 - FSetShift)) {}

// Follows the inputs of FormatValue field by field.
TValueKey TColumnWriter::Key(const TReportLine& line) const {
    switch (FColumn.Field) {
    case efDate:
        return NumberKey(line.Date.toJulianDay());
    case efStartTime:
        return NumberKey(ExportClock(line.StartTime));
    case efEndTime:
        return NumberKey(ExportClock(line.EndTime));
    case efDuration:
        return RealKey(line.TotalHours());
    case efIsOvertime:
        return NumberKey(line.OvertimeHours != 0);
    case efIsChargeable:
        return NumberKey(line.Chargeable);
    case efTotalCharge:
        return NumberKey(line.Amount.Units());
    default: {
        // Is Reportable and user-defined columns: one value for every line.
        const QString* source = SourceText(line);
        return source ? TextKey(*source) : TValueKey();
    }
    }
}

const QString* TColumnWriter::SourceText(const TReportLine& line) const {
    switch (FColumn.Field) {
    case efUser:
        return &line.User;
    case efClient:
    case efClientList:
        return &line.Client;
    case efProject:
    case efProjectList:
        return &line.Project;
    case efCategory:
    case efCategoryList:
        return &line.Category;
    case efActivity:
    case efActivityList:
        return &line.Activity;
    case efRemarks:
        return &line.Remarks;
    case efChargeType:
        return &line.BillingCode;
    case efChargeRate:
        return &line.RateText;
    default:
        return nullptr;
    }
}

bool TColumnWriter::IsTextColumn() const {
    static const TReportLine anyLine;
    return SourceText(anyLine) != nullptr;
}

int TColumnWriter::Remember(TSlot* set, const TValueKey& key, const TReportLine& line) {
    const int index = Find(key, line); // may empty every slot
    std::copy_backward(set, set + SetSize - 1, set + SetSize);
    set[0] = {key.First, key.Second, index};
    return index;
}

int TColumnWriter::Find(const TValueKey& key, const TReportLine& line) {
    if (FValues.size() >= MaxValues)
        Forget();
    const int next = int(FValues.size());
    if (const QString* source = SourceText(line)) {
        if (const auto [found, added] = FBySource.try_emplace(*source, next); !added)
            return found->second;
    } else if (const auto [found, added] = FByKey.try_emplace(key, next); !added) {
        return found->second;
    }
    FValues.push_back(MakeValue(line));
    return next;
}

TColumnWriter::TValue TColumnWriter::MakeValue(const TReportLine& line) const {
    QString text = ReplaceDelimiter(FFormat, FormatValue(FColumn, line)) + FSuffix;
    TEncodedText encoded(text);
    return {std::move(text), std::move(encoded)};
}

void TColumnWriter::Forget() {
    ++FGeneration;
    FLastIndex = -1;
    for (TSlot& slot : FSlots)
        slot.Index = -1;
    FValues.clear();
    FBySource.clear();
    FByKey.clear();
}
