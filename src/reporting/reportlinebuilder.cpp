#include "reportlinebuilder.h"

#include "app/prefetch.h"
#include "reporting/asciifold.h"
#include "reporting/reportentry.h"
#include "reporting/reportlines.h"
#include "storage/billing.h"
#include "storage/block.h"
#include "storage/day.h"
#include "storage/namestore.h"
#include "storage/timevalues.h"

#include <algorithm>

static_assert(TNameStore::LargestNumber <= TTaskKey::LargestName);

namespace {
// Blocks lie spread over the memory of the months they were read with; asking for the next
// ones early lets the memory work while the present block is turned into a line. A block's
// billing object is asked for once the block itself has arrived.
//
// Summing a block by task is quick and touches little else, so blocks are asked for far
// ahead, as memory read once (kept out of the larger caches, where the task table lives), and
// only up to the last field the sums read. Making a line of a block takes longer and writes
// fresh memory: whole blocks come nearer and in the ordinary way.
struct TFetchDistance {
    std::size_t Blocks;
    bool ReadOnce;
};
constexpr TFetchDistance ForTasks{32, true};
constexpr TFetchDistance ForLines{8, false};

// The fields of a block a task's sums read lie up to the end of Activity; UserName comes
// after them.
const char* LastByteForTasks(const TBlock& block, bool withUser) {
    const QString& last = withUser ? block.UserName : block.Activity;
    return reinterpret_cast<const char*>(&last + 1) - 1;
}

void FetchAhead(const std::vector<std::unique_ptr<TBlock>>& blocks, std::size_t current,
                TFetchDistance distance, bool withUser) {
    constexpr std::size_t BillingDistance = 4;
    constexpr std::uintptr_t CacheLine = 64;
    if (current + distance.Blocks < blocks.size()) {
        const TBlock& ahead = *blocks[current + distance.Blocks];
        const auto* first = reinterpret_cast<const char*>(&ahead);
        const char* last =
            distance.ReadOnce ? LastByteForTasks(ahead, withUser) : first + sizeof(TBlock) - 1;
        // Every cache line from the one holding the first byte to the one holding the last.
        const auto firstLine = reinterpret_cast<std::uintptr_t>(first) & ~(CacheLine - 1);
        for (auto line = firstLine; line <= reinterpret_cast<std::uintptr_t>(last);
             line += CacheLine) {
            const auto* address = reinterpret_cast<const char*>(line);
            if (distance.ReadOnce)
                PrefetchMemoryOnce(address);
            else
                PrefetchMemory(address);
        }
    }
    if (current + BillingDistance < blocks.size())
        PrefetchMemory(blocks[current + BillingDistance]->BillingInfo.get());
}
} // namespace

TReportLineBuilder::TReportLineBuilder(const TLineOptions& options, TReportLines& lines)
    : FOptions(options),
      FKeepsAllReported(options.ClientFilter.isEmpty() && options.ProjectFilter.isEmpty() &&
                        !options.OvertimeOnly && !options.ExcludeOvertime &&
                        options.Charging != chChargeableOnly &&
                        options.Charging != chNotChargeableOnly),
      FLines(lines), FStore(TNameStore::Instance()) {
    FLines.BeginBatch();
    FTaskTexts.SetRemembering(true);
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
    AddPending();
    FTaskSums.AddTo(FLines);
}

void TReportLineBuilder::AddDay(const TDay& day) {
    StartMonthOf(day);
    if (FOptions.Consolidate) {
        AddDayToTasks(day);
        return;
    }
    const int weekDay = day.WeekDay();
    const auto& blocks = day.Blocks;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        FetchAhead(blocks, i, ForLines, FOptions.WithUser);
        const TBlock& block = *blocks[i];
        if (Keeps(block))
            AddBlock(day, weekDay, block);
    }
}

// Blocks go to their tasks' sums in steps a few blocks apart (see AddDistance), so that the
// memory fetches of neighbouring blocks overlap instead of each block waiting for its own.
void TReportLineBuilder::AddDayToTasks(const TDay& day) {
    const int weekDay = day.WeekDay();
    const auto& blocks = day.Blocks;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        FetchAhead(blocks, i, ForTasks, FOptions.WithUser);
        const TBlock& block = *blocks[i];
        if (!Keeps(block))
            continue;
        TKeyedBlock& keyed = Pending(FPendingIn);
        keyed.Day = &day;
        keyed.Block = &block;
        keyed.WeekDay = weekDay;
        keyed.Keyed = KeyOf(block, keyed.Key);
        if (keyed.Keyed) {
            keyed.Hash = TTaskSums::HashOf(keyed.Key);
            FTaskSums.FetchSlot(keyed.Hash);
        }
        ++FPendingIn;
        if (FPendingIn > TotalsDistance) {
            const TKeyedBlock& nearer = Pending(FPendingIn - 1 - TotalsDistance);
            if (nearer.Keyed)
                FTaskSums.FetchTotals(nearer.Hash);
        }
        if (FPendingIn - FPendingOut > AddDistance)
            AddWaiting(Pending(FPendingOut++));
    }
}

void TReportLineBuilder::AddPending() {
    while (FPendingOut != FPendingIn)
        AddWaiting(Pending(FPendingOut++));
}

void TReportLineBuilder::AddWaiting(const TKeyedBlock& keyed) {
    if (keyed.Keyed)
        AddToTask(keyed);
    else
        AddBlock(*keyed.Day, keyed.WeekDay, *keyed.Block);
}

// The days of one month were read together and share their texts; those of the next
// month are other strings. Renewing the batch forgets the strings of the month before,
// so that the lines' memo holds only those in use.
void TReportLineBuilder::StartMonthOf(const TDay& day) {
    const int month = day.Date.year() * 12 + day.Date.month();
    if (month == FMonth)
        return;
    if (FMonth != 0) {
        // The waiting blocks belong to the month whose strings are about to be forgotten.
        AddPending();
        FLines.RenewBatch();
        FTaskTexts.ForgetRemembered();
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
    if (FOptions.Charging == chChargeableOnly)
        return block.Chargeable;
    if (FOptions.Charging == chNotChargeableOnly)
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

void TReportLineBuilder::AddToTask(const TKeyedBlock& keyed) {
    const TBlock& block = *keyed.Block;
    const int weekDay = keyed.WeekDay;
    // The sums need whole minutes only; real hours only the first block of a task.
    const std::int32_t minutes = DurationMinutes(block.Duration());
    const std::int64_t amount = MinutesCharge(block.BillingInfo.get(), minutes).Units();
    TTaskTotals* totals = FTaskSums.Find(keyed.Key, keyed.Hash);
    if (!totals)
        totals = &FTaskSums.Start(
            keyed.Key, keyed.Hash,
            FLines.FindOrAppend(EntryOf(*keyed.Day, weekDay, block, MinutesHours(minutes))));
    if (totals->Add(weekDay, block.OverTime, minutes, amount))
        return;
    TTaskSums::AddTo(FLines, *totals);
    if (!totals->Add(weekDay, block.OverTime, minutes, amount))
        FLines.LineAt(totals->Line)
            .AddHours(weekDay, block.OverTime, TMoney::FromUnits(amount), MinutesHours(minutes));
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

const TReportLineBuilder::TRate& TReportLineBuilder::RateMet(std::int64_t rate,
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
