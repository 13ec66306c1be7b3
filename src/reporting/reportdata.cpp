#include "reportdata.h"

#include "app/applocale.h"
#include "app/messages.h"
#include "reporting/asciifold.h"
#include "reporting/reportentry.h"
#include "reporting/reportlines.h"
#include "storage/billing.h"
#include "storage/block.h"
#include "storage/datetexts.h"
#include "storage/day.h"
#include "storage/month.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace {
const QString NoText;
// The longest span of a day, in hundredths of an hour.
constexpr std::size_t DayLength = 2400;

// One month of the selected users' blocks, read only: a report never saves, and the snapshot
// an editable month keeps would copy every block once more.
std::unique_ptr<TMonth> LoadReportMonth(QDate date, const std::optional<QStringList>& users) {
    return std::make_unique<TMonth>(date.year(), date.month(), users.value_or(QStringList()),
                                    TDayView{}, TMonthUse::Read);
}

TReportDays EmptyDays(QDate from, QDate to) {
    TReportDays days;
    for (QDate date = from; date <= to; date = date.addDays(1))
        days.push_back(std::make_unique<TDay>(date));
    return days;
}

template <std::size_t N> std::array<double, N> FilledWith(double value) {
    std::array<double, N> values;
    values.fill(value);
    return values;
}

// A hint that address will be read soon; it never faults, not even for none.
void Prefetch(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    static_cast<void>(address);
#endif
}

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
            Prefetch(block + offset);
    }
    if (current + BillingDistance < blocks.size())
        Prefetch(blocks[current + BillingDistance]->BillingInfo.get());
}

bool IsWorkingDay(const TDay& day) {
    return day.WeekDay() <= 5;
}

// The text for the first Monday to Friday with a block that lacks task information.
QString MissingTaskReason(const TReportDays& days) {
    for (const auto& day : days)
        if (IsWorkingDay(*day) && day->HasIncompleteBlock())
            return DayName(day->Date) + QLatin1Char(' ') + LocaleShortDateText(day->Date) +
                   QStringLiteral(" has missing task information");
    return {};
}

bool AnyBlock(const TReportDays& days) {
    return std::any_of(days.begin(), days.end(), [](const auto& day) { return !day->IsEmpty(); });
}

// Turns blocks into report lines under one set of options, as one batch of the lines: the
// days and every text the builder hands over stay as they are until it is done (its own texts
// are made once and never replaced). The texts of billing codes and rates are kept, so that
// lines receive shared texts and a block costs no formatting.
class TLineBuilder {
public:
    TLineBuilder(const TLineOptions& options, TReportLines& lines)
        : FOptions(options), FLines(lines) {
        FLines.BeginBatch();
    }
    ~TLineBuilder() { FLines.EndBatch(); }
    TLineBuilder(const TLineBuilder&) = delete;
    TLineBuilder& operator=(const TLineBuilder&) = delete;

    void AddDay(const TDay& day) {
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

private:
    // The days of one month were read together and share their texts; those of the next
    // month are other strings. Renewing the batch forgets the strings of the month before,
    // so that the lines' memo holds only those in use.
    void StartMonthOf(const TDay& day) {
        const int month = day.Date.year() * 12 + day.Date.month();
        if (month == FMonth)
            return;
        if (FMonth != 0)
            FLines.RenewBatch();
        FMonth = month;
    }

    bool Keeps(const TBlock& block) const {
        if (!block.Reportable)
            return false;
        if (!FOptions.ClientFilter.isEmpty() &&
            !SameAsciiFolded(block.Client, FOptions.ClientFilter))
            return false;
        if (!FOptions.ProjectFilter.isEmpty() &&
            !SameAsciiFolded(block.Project, FOptions.ProjectFilter))
            return false;
        if ((FOptions.OvertimeOnly && !block.OverTime) ||
            (FOptions.ExcludeOvertime && block.OverTime))
            return false;
        if (FOptions.Charging == chChargeableOnly)
            return block.Chargeable;
        if (FOptions.Charging == chNotChargeableOnly)
            return !block.Chargeable;
        return true;
    }

    void AddBlock(const TDay& day, int weekDay, const TBlock& block) {
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
    double HoursOf(const TBlock& block) {
        const int duration = block.Duration();
        if (duration < 0 || duration >= static_cast<int>(FHours.size()))
            return block.Hours();
        double& hours = FHours[static_cast<std::size_t>(duration)];
        if (std::isnan(hours))
            hours = block.Hours();
        return hours;
    }

    const QString& CodeText(const TBlock& block) {
        // Codes are bytes (0 and 1 without billing object).
        const auto code = static_cast<std::uint8_t>(BlockCode(block));
        QString& text = FCodeTexts[code];
        if (text.isNull())
            text = BillingCodeText(code);
        return text;
    }

    const QString& RateText(const TBillingInfo* billing) {
        if (!HasRate(billing))
            return NoRateText;
        const std::int64_t rate = billing->Rate.Units();
        if (FLastRate && FLastRate->first == rate)
            return FLastRate->second;
        auto known = FRateTexts.find(rate);
        if (known == FRateTexts.end())
            known = FRateTexts.emplace(rate, BlockRateText(billing, false, {})).first;
        FLastRate = &*known;
        return known->second;
    }

    const TLineOptions& FOptions;
    TReportLines& FLines;
    const QString NoRateText = QStringLiteral("--");
    std::array<QString, 256> FCodeTexts;
    std::array<double, DayLength + 1> FHours =
        FilledWith<DayLength + 1>(std::numeric_limits<double>::quiet_NaN());
    std::unordered_map<std::int64_t, QString> FRateTexts;
    const std::pair<const std::int64_t, QString>* FLastRate = nullptr;
    int FMonth = 0;
};
} // namespace

TReportDays CollectReportDays(QDate from, QDate to, const std::optional<QStringList>& users) {
    if (!from.isValid() || !to.isValid())
        return {};
    if (from > to)
        std::swap(from, to);
    if (users && users->isEmpty())
        return EmptyDays(from, to);
    TReportDays days;
    days.reserve(static_cast<std::size_t>(from.daysTo(to) + 1));
    QDate cursor = from;
    while (cursor <= to) {
        // One month at a time: its days of the period move into the list, the rest go with it.
        TReportDays monthDays = LoadReportMonth(cursor, users)->TakeDays();
        QDate latest;
        for (auto& day : monthDays) {
            if (day->Date < from || day->Date > to)
                continue;
            latest = std::max(latest, day->Date);
            days.push_back(std::move(day));
        }
        cursor = latest.isValid() ? latest.addDays(1)
                                  : QDate(cursor.year(), cursor.month(), 1).addMonths(1);
    }
    return days;
}

bool CheckReportDays(const TReportDays& days, bool showMessages, QString& reason) {
    reason = MissingTaskReason(days);
    if (reason.isEmpty() && days.empty())
        reason = QStringLiteral("There are no days to report");
    else if (reason.isEmpty() && !AnyBlock(days))
        reason = QStringLiteral("There are no hours to report");
    if (reason.isEmpty())
        return true;
    if (showMessages)
        ShowMessageBox(reason, mkWarning, mbOK);
    return false;
}

void BuildReportLines(std::span<const std::unique_ptr<TDay>> days, const TLineOptions& options,
                      TReportLines& lines) {
    if (!options.Consolidate) {
        // At most a line per block: room for all of them at once saves moving the lines.
        std::size_t blocks = 0;
        for (const auto& day : days)
            blocks += day->Blocks.size();
        lines.Reserve(lines.Lines().size() + blocks);
    }
    TLineBuilder builder(options, lines);
    for (const auto& day : days)
        builder.AddDay(*day);
}

void BuildReportLines(const TDay& day, const TLineOptions& options, TReportLines& lines) {
    TLineBuilder(options, lines).AddDay(day);
}
