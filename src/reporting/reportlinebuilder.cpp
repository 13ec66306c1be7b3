#include "reportlinebuilder.h"

#include "app/prefetch.h"
#include "reporting/asciifold.h"
#include "reporting/reportentry.h"
#include "reporting/reportlines.h"
#include "storage/billing.h"
#include "storage/block.h"
#include "storage/day.h"
#include "storage/namestore.h"

#include <cmath>

namespace {
// Blocks lie spread over the memory of the months they were read with; asking for the next
// ones early lets the memory work while the present block is turned into a line. A block's
// billing object is asked for once the block itself has arrived.
void FetchAhead(const std::vector<std::unique_ptr<TBlock>>& blocks, std::size_t current) {
    constexpr std::size_t BlockDistance = 8;
    constexpr std::size_t BillingDistance = 4;
    constexpr std::size_t CacheLine = 64;
    if (current + BlockDistance < blocks.size()) {
        const auto* block = reinterpret_cast<const char*>(blocks[current + BlockDistance].get());
        for (std::size_t offset = 0; offset < sizeof(TBlock); offset += CacheLine)
            PrefetchMemoryOnce(block + offset);
    }
    if (current + BillingDistance < blocks.size())
        PrefetchMemory(blocks[current + BillingDistance]->BillingInfo.get());
}
} // namespace

TReportLineBuilder::TReportLineBuilder(const TLineOptions& options, TReportLines& lines)
    : FOptions(options), FLines(lines) {
    FHours.fill(std::numeric_limits<double>::quiet_NaN());
    FLines.BeginBatch();
}

TReportLineBuilder::~TReportLineBuilder() {
    FLines.EndBatch();
}

void TReportLineBuilder::AddDay(const TDay& day) {
    StartMonthOf(day);
    const int weekDay = day.WeekDay();
    const auto& blocks = day.Blocks;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        FetchAhead(blocks, i);
        const TBlock& block = *blocks[i];
        if (Keeps(block))
            AddBlock(day, weekDay, block);
    }
}

// The days of one month were read together and share their texts; those of the next
// month are other strings. Renewing the batch forgets the strings of the month before,
// so that the lines' memo holds only those in use.
void TReportLineBuilder::StartMonthOf(const TDay& day) {
    const int month = day.Date.year() * 12 + day.Date.month();
    if (month == FMonth)
        return;
    if (FMonth != 0)
        FLines.RenewBatch();
    FMonth = month;
}

bool TReportLineBuilder::Keeps(const TBlock& block) const {
    if (!block.Reportable)
        return false;
    if (!FOptions.ClientFilter.isEmpty() && !SameAsciiFolded(block.Client, FOptions.ClientFilter))
        return false;
    if (!FOptions.ProjectFilter.isEmpty() &&
        !SameAsciiFolded(block.Project, FOptions.ProjectFilter))
        return false;
    if ((FOptions.OvertimeOnly && !block.OverTime) || (FOptions.ExcludeOvertime && block.OverTime))
        return false;
    if (FOptions.Charging == chChargeableOnly)
        return block.Chargeable;
    if (FOptions.Charging == chNotChargeableOnly)
        return !block.Chargeable;
    return true;
}

void TReportLineBuilder::AddBlock(const TDay& day, int weekDay, const TBlock& block) {
    const TBillingInfo* billing = block.BillingInfo.get();
    const double hours = HoursOf(block);
    const TReportEntry entry{FOptions.WithUser ? block.UserName : NoText,
                             day.Date,
                             block.StartTime,
                             block.EndTime,
                             block.Client,
                             block.Project,
                             block.Category,
                             block.Activity,
                             FOptions.Consolidate ? NoText : block.Remarks,
                             weekDay,
                             hours,
                             block.OverTime,
                             block.Chargeable,
                             FOptions.WithBillingCode ? CodeText(block) : NoText,
                             RateText(billing),
                             Charge(billing, hours)};
    FLines.Add(FOptions.Consolidate, entry);
}

// Blocks have few different lengths: each length's hours are worked out once.
double TReportLineBuilder::HoursOf(const TBlock& block) {
    const int duration = block.Duration();
    if (duration < 0 || duration >= static_cast<int>(FHours.size()))
        return block.Hours();
    double& hours = FHours[static_cast<std::size_t>(duration)];
    if (std::isnan(hours))
        hours = block.Hours();
    return hours;
}

const QString& TReportLineBuilder::CodeText(const TBlock& block) {
    // Codes are bytes (0 and 1 without billing object).
    const auto code = static_cast<std::uint8_t>(BlockCode(block));
    QString& text = FCodeTexts[code];
    if (text.isNull())
        text = TNameStore::Instance().Name(BillingCodeText(code));
    return text;
}

const QString& TReportLineBuilder::RateText(const TBillingInfo* billing) {
    if (!HasRate(billing))
        return NoRateText;
    const std::int64_t rate = billing->Rate.Units();
    if (FLastRate && FLastRate->first == rate)
        return FLastRate->second;
    auto known = FRateTexts.find(rate);
    if (known == FRateTexts.end())
        known =
            FRateTexts.emplace(rate, TNameStore::Instance().Name(BlockRateText(billing, false, {})))
                .first;
    FLastRate = &*known;
    return known->second;
}
