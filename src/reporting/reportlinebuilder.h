#pragma once

#include "reporting/reportdata.h"
#include "reporting/tasksums.h"
#include "reporting/textids.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"

#include <array>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include <QString>

class TDay;
class TNameStore;
class TReportLines;
struct TReportEntry;

// Turns blocks into report lines under one set of options, day after day, as one batch of the
// lines (TReportLines::BeginBatch): the days and every text the builder hands over stay as they
// are until the builder is gone (its own texts are made once and never replaced). The texts
// of billing codes and rates are cached, so that lines receive shared texts and a block costs
// no formatting; they come from the name store, so that copying them into a line and
// dropping it again touches no reference count. Days come in date order.
//
// The hours of consolidated lines are summed apart, by task, in whole minutes (TTaskSums),
// and go to the lines when the builder finishes: until then the lines must not be changed,
// and their hours are those they had before. A line's hours are then the exact sums of its
// blocks, whatever the order in which the blocks came. Lines of a builder that does not
// consolidate are complete after each AddDay.
class TReportLineBuilder {
public:
    TReportLineBuilder(const TLineOptions& options, TReportLines& lines);
    ~TReportLineBuilder();
    TReportLineBuilder(const TReportLineBuilder&) = delete;
    TReportLineBuilder& operator=(const TReportLineBuilder&) = delete;

    // Adds the blocks of day that are included in reports and pass the options.
    void AddDay(const TDay& day);
    // Gives the consolidated lines the hours of the blocks added so far (the destructor does
    // it too, for a builder left early).
    void Finish();

private:
    void StartMonthOf(const TDay& day);
    // Whether the block is included in reports and passes the options.
    bool Keeps(const TBlock& block) const {
        return block.Reportable && (FKeepsAllReported || PassesFilters(block));
    }
    bool PassesFilters(const TBlock& block) const;
    void AddBlock(const TDay& day, int weekDay, const TBlock& block);
    // With consolidation: the block's hours go to the sums of its task.
    void AddToTask(const TDay& day, int weekDay, const TBlock& block, const TTaskKey& key);
    // False when a number does not fit the key; the block then goes through TReportLines::Add.
    bool KeyOf(const TBlock& block, TTaskKey& key);
    TReportEntry EntryOf(const TDay& day, int weekDay, const TBlock& block, double hours);
    static double MinutesHours(std::int32_t minutes) { return minutes / 60.0; }
    // A rate's text and its number among the rates met (0: no rate).
    struct TRate {
        QString Text;
        int Number = 0;
    };

    const QString& CodeText(const TBlock& block);
    const TRate& RateOf(const TBillingInfo* billing) {
        if (!HasRate(billing))
            return NoRate;
        if (FLastRate && FLastRate->first == billing->Rate.Units())
            return FLastRate->second;
        return FindOrAddRate(billing->Rate.Units(), billing);
    }
    // Looks up or numbers a rate, which then becomes the one-entry cache FLastRate.
    const TRate& FindOrAddRate(std::int64_t rate, const TBillingInfo* billing);
    const QString& RateText(const TBillingInfo* billing) { return RateOf(billing).Text; }

    const TLineOptions& FOptions;
    // No option leaves out a reported block.
    const bool FKeepsAllReported;
    TReportLines& FLines;
    const QString NoText;
    const TRate NoRate{QStringLiteral("--"), 0};
    std::array<QString, 256> FCodeTexts;
    std::unordered_map<std::int64_t, TRate> FRates;
    const std::pair<const std::int64_t, TRate>* FLastRate = nullptr;
    int FMonth = 0;
    // Numbers the names of blocks read from data files.
    const TNameStore& FStore;
    // Numbers other names.
    TTextIds FTaskTexts{false};
    TTaskSums FTaskSums;
};
