#include "reportlinebuilder.h"

#include "reporting/asciifold.h"
#include "reporting/reportentry.h"
#include "reporting/reportlines.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/months/namestore.h"
#include "storage/values/timevalues.h"

#include <algorithm>

static_assert(TNameStore::LargestNumber <= TTaskKey::LargestName);

TReportLineBuilder::TReportLineBuilder(const TLineOptions& options, TReportLines& lines)
    : FOptions(options),
      FKeepsAllReported(options.ClientFilter.isEmpty() && options.ProjectFilter.isEmpty() &&
                        !options.OvertimeOnly && !options.ExcludeOvertime &&
                        options.Charging != TCharging::ChargeableOnly &&
                        options.Charging != TCharging::NotChargeableOnly),
      FLines(lines), FStore(TNameStore::Instance()) {
    FLines.BeginBatch();
    FTaskTexts.SetMemoizing(true);
}

TReportLineBuilder::~TReportLineBuilder() {
    // Finish fails only when memory runs out or the lines were changed against the rule of
    // the class; a destructor must not throw.
    try {
        Finish();
    } catch (...) { // NOLINT(bugprone-empty-catch)
    }
    FLines.EndBatch();
}

void TReportLineBuilder::Finish() {
    FTaskSums.AddTo(FLines);
}

void TReportLineBuilder::AddDay(const TDay& day) {
    StartMonthOf(day);
    const int weekDay = day.WeekDay();
    for (const auto& owned : day.Blocks) {
        const TBlock& block = *owned;
        if (!Keeps(block))
            continue;
        TTaskKey key;
        if (FOptions.Consolidate && KeyOf(block, key))
            AddToTask(day, weekDay, block, key);
        else
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
    if (FMonth != 0) {
        FLines.RenewBatch();
        FTaskTexts.ClearMemo();
    }
    FMonth = month;
}

bool TReportLineBuilder::PassesFilters(const TBlock& block) const {
    if (!FOptions.ClientFilter.isEmpty() && !SameAsciiFolded(block.Client, FOptions.ClientFilter))
        return false;
    if (!FOptions.ProjectFilter.isEmpty() &&
        !SameAsciiFolded(block.Project, FOptions.ProjectFilter))
        return false;
    if ((FOptions.OvertimeOnly && !block.OverTime) || (FOptions.ExcludeOvertime && block.OverTime))
        return false;
    if (FOptions.Charging == TCharging::ChargeableOnly)
        return block.Chargeable;
    if (FOptions.Charging == TCharging::NotChargeableOnly)
        return !block.Chargeable;
    return true;
}

void TReportLineBuilder::AddBlock(const TDay& day, int weekDay, const TBlock& block) {
    FLines.Add(FOptions.Consolidate, EntryOf(day, weekDay, block, DurationHours(block.Duration())));
}

TReportEntry TReportLineBuilder::EntryOf(const TDay& day, int weekDay, const TBlock& block,
                                         double hours) {
    const TBillingInfo* billing = block.BillingInfo.get();
    return {FOptions.WithUser ? block.UserName : NoText,
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
}

void TReportLineBuilder::AddToTask(const TDay& day, int weekDay, const TBlock& block,
                                   const TTaskKey& key) {
    // The sums need whole minutes only; real hours only the first block of a task.
    const std::int32_t minutes = DurationMinutes(block.Duration());
    const std::int64_t amount = MinutesCharge(block.BillingInfo.get(), minutes).Units();
    const std::uint64_t hash = TTaskSums::HashOf(key);
    TTaskTotals* totals = FTaskSums.Find(key, hash);
    if (!totals)
        totals = &FTaskSums.Start(
            key, hash, FLines.FindOrAppend(EntryOf(day, weekDay, block, MinutesHours(minutes))));
    totals->Add(weekDay, block.OverTime, minutes, amount);
}

bool TReportLineBuilder::KeyOf(const TBlock& block, TTaskKey& key) {
    const TRate& rate = RateOf(block.BillingInfo.get());
    // The code text follows from the code, a byte.
    const auto code =
        FOptions.WithBillingCode
            ? static_cast<std::uint8_t>(BlockCode(block.BillingInfo.get(), block.Chargeable))
            : std::uint8_t{0};
    if (static_cast<std::uint32_t>(rate.Number) > TTaskKey::LargestRate)
        return false;
    // Names read from data files come from the name store, whose numbers need no lookup.
    const TTaskKey::TNames stored{FStore.NumberOf(block.Client), FStore.NumberOf(block.Project),
                                  FStore.NumberOf(block.Category), FStore.NumberOf(block.Activity),
                                  FOptions.WithUser ? FStore.NumberOf(block.UserName) : 0};
    // LargestName has every bit below its highest set: no number is larger when none of
    // them has a bit above.
    static_assert((TTaskKey::LargestName & (TTaskKey::LargestName + 1)) == 0);
    if ((stored[0] | stored[1] | stored[2] | stored[3] | stored[4]) <= TTaskKey::LargestName) {
        key = TTaskKey::Of(stored, static_cast<std::uint32_t>(rate.Number), code, block.Chargeable,
                           true);
        return true;
    }
    const TTaskKey::TNames numbered{
        static_cast<std::uint32_t>(FTaskTexts.Id(block.Client)),
        static_cast<std::uint32_t>(FTaskTexts.Id(block.Project)),
        static_cast<std::uint32_t>(FTaskTexts.Id(block.Category)),
        static_cast<std::uint32_t>(FTaskTexts.Id(block.Activity)),
        FOptions.WithUser ? static_cast<std::uint32_t>(FTaskTexts.Id(block.UserName)) : 0};
    if (*std::max_element(numbered.begin(), numbered.end()) > TTaskKey::LargestName)
        return false;
    key = TTaskKey::Of(numbered, static_cast<std::uint32_t>(rate.Number), code, block.Chargeable,
                       false);
    return true;
}

const QString& TReportLineBuilder::CodeText(const TBlock& block) {
    // Codes are bytes (0 and 1 without billing object).
    const auto code = static_cast<std::uint8_t>(BlockCode(block));
    QString& text = FCodeTexts[code];
    if (text.isNull())
        text = TNameStore::Instance().Name(BillingCodeText(code));
    return text;
}

const TReportLineBuilder::TRate& TReportLineBuilder::FindOrAddRate(std::int64_t rate,
                                                                   const TBillingInfo* billing) {
    auto known = FRates.find(rate);
    if (known == FRates.end()) {
        const TRate made{TNameStore::Instance().Name(BlockRateText(billing, false, {})),
                         static_cast<int>(FRates.size() + 1)};
        known = FRates.emplace(rate, made).first;
    }
    FLastRate = &*known;
    return known->second;
}
