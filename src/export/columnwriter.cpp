#include "columnwriter.h"

#include "exportengine.h"
#include "exportitem.h"

#include <algorithm>

TColumnWriter::TColumnWriter(const TExportFormat& format, const TExportItem& column, QString suffix)
    : FFormat(format), FColumn(column), FSuffix(std::move(suffix)) {
    ChooseKey();
    FLeastSetShift = 64 - (FKind == TKeyKind::Text ? TextSetBits : OtherSetBits);
    FSetShift = 64 - FirstSetBits;
    FSets.resize(std::size_t(1) << FirstSetBits);
    if (FKind == TKeyKind::Time || FKind == TKeyKind::Overtime || FKind == TKeyKind::Chargeable ||
        FKind == TKeyKind::Constant)
        FDirect.assign(DirectKeys, -1);
}

void TColumnWriter::ChooseKey() {
    switch (FColumn.Field) {
    case efUser:
        FText = &TReportLine::User;
        break;
    case efClient:
    case efClientList:
        FText = &TReportLine::Client;
        break;
    case efProject:
    case efProjectList:
        FText = &TReportLine::Project;
        break;
    case efCategory:
    case efCategoryList:
        FText = &TReportLine::Category;
        break;
    case efActivity:
    case efActivityList:
        FText = &TReportLine::Activity;
        break;
    case efRemarks:
        FText = &TReportLine::Remarks;
        break;
    case efChargeType:
        FText = &TReportLine::BillingCode;
        break;
    case efChargeRate:
        FText = &TReportLine::RateText;
        break;
    case efDate:
        FKind = TKeyKind::Date;
        break;
    case efStartTime:
        FTime = &TReportLine::StartTime;
        break;
    case efEndTime:
        FTime = &TReportLine::EndTime;
        break;
    case efDuration:
        FKind = TKeyKind::Duration;
        break;
    case efIsOvertime:
        FKind = TKeyKind::Overtime;
        break;
    case efIsChargeable:
        FKind = TKeyKind::Chargeable;
        break;
    case efTotalCharge:
        FKind = TKeyKind::Amount;
        break;
    default:
        FKind = TKeyKind::Constant; // Is Reportable and user-defined columns
    }
    if (FText)
        FKind = TKeyKind::Text;
    if (FTime)
        FKind = TKeyKind::Time;
}

int TColumnWriter::Remember(const TValueKey& key, const TReportLine& line) {
    const int index = Find(key, line); // may empty every slot
    GrowSetsWhenCrowded();
    TSlot* const set = FSets[SetOf(key)].Ways.data();
    std::copy_backward(set, set + SetSize - 1, set + SetSize);
    set[0] = {key.First, key.Second, index};
    return index;
}

void TColumnWriter::GrowSetsWhenCrowded() {
    constexpr std::size_t Crowded = 2;
    if (++FRemembered <= FSets.size() * SetSize * Crowded || FSetShift <= FLeastSetShift)
        return;
    FSetShift = std::max(FSetShift - 2, FLeastSetShift);
    FSets.assign(std::size_t(1) << (64 - FSetShift), TSet{});
    FRemembered = 0;
}

int TColumnWriter::Find(const TValueKey& key, const TReportLine& line) {
    if (FValues.size() >= MaxValues)
        Forget();
    const int next = int(FValues.size());
    if (FText) {
        const QString& text = line.*FText;
        if (const auto found = FBySource.constFind(text); found != FBySource.cend())
            return *found;
        FBySource.insert(text, next);
    } else if (const auto [found, added] = FByKey.try_emplace(key, next); !added) {
        return found->second;
    }
    FValues.push_back(MakeValue(line));
    FBytes.push_back(FValues.back().Encoded.Bytes());
    FLongestBytes = std::max<std::size_t>(FLongestBytes, FBytes.back().Utf8Size);
    FAllFitWindows1252 = FAllFitWindows1252 && FBytes.back().Windows1252Size >= 0;
    if (FKind == TKeyKind::Date && FDirect.empty()) {
        // Days from a little before the first one met on; lines come in date order.
        FDirectBase = key.First - DirectKeys / 8;
        FDirect.assign(DirectKeys, -1);
        FDirect[key.First - FDirectBase] = next;
    }
    return next;
}

TColumnWriter::TValue TColumnWriter::MakeValue(const TReportLine& line) const {
    QString text = ReplaceDelimiter(FFormat, FormatValue(FColumn, line)) + FSuffix;
    TEncodedText encoded(text);
    return {std::move(text), std::move(encoded)};
}

void TColumnWriter::ForgetAddresses() {
    FLastIndex = -1;
    if (FKind != TKeyKind::Text)
        return; // the other keys are the values' own inputs
    std::fill(FSets.begin(), FSets.end(), TSet{});
}

void TColumnWriter::Forget() {
    ++FGeneration;
    FLastIndex = -1;
    std::fill(FDirect.begin(), FDirect.end(), -1);
    std::fill(FSets.begin(), FSets.end(), TSet{});
    FValues.clear();
    FBytes.clear();
    FLongestBytes = 0;
    FAllFitWindows1252 = true;
    FBySource.clear();
    FByKey.clear();
}
