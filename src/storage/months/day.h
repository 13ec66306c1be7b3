#pragma once

#include "storage/values/moment.h"
#include "storage/values/money.h"

#include <cstdint>
#include <memory>
#include <vector>

#include <QDate>
#include <QString>
#include <QStringView>

class TBlock;

// The edges of a block.
enum class TBlockEdge { Start, End };

// One calendar day and its blocks (owned, in list order). A day knows times only; where they
// lie on a screen is the day view's business.
class TDay {
public:
    explicit TDay(QDate date);
    TDay(const TDay&) = delete;
    TDay& operator=(const TDay&) = delete;
    ~TDay();

    // Same date; every block duplicated exactly (TBlock::CreateDuplicate), in
    // order, so that a copy always equals its original.
    static std::unique_ptr<TDay> CreateCopy(const TDay& other);

    // Reads fields 2 to 12 of a month line (the date already taken off) and appends the block,
    // carrying userName. Raises EDataLineError (without file and line) when the start or the
    // end is not a whole number.
    TBlock& ReadLine(QStringView rest, const QString& userName);
    // Appends one month line per block, in list order, with this day's date.
    void WriteLines(QString& text) const;

    TBlock& AddBlock(int startTime, int endTime);
    // A block as dropped from the palette (TBlock::CreateNew).
    TBlock& AddNewBlock(int startTime, int endTime, TMoney rate, std::uint8_t source,
                        std::uint8_t code, bool withBilling);
    TBlock& Append(std::unique_ptr<TBlock> block);
    // Takes block out of the list and hands it over; none when it is not one of this day's.
    std::unique_ptr<TBlock> Remove(const TBlock* block);

    TBlock* FindByStart(int time) const;
    // The block with the latest start strictly before block's start (the first in list order
    // on a tie); none when there is none or block is none.
    TBlock* PreviousBlock(const TBlock* block) const;
    // The block with the earliest start strictly after block's start; likewise.
    TBlock* NextBlock(const TBlock* block) const;

    // Editing on the timeline. Blocks of this day only; none is allowed where a block is
    // expected and makes each operation do nothing.

    // Start down, end to the nearest unit of time; true when either changed.
    static bool SnapBlock(TBlock* block);
    // Whether moving block by delta hundredths keeps it clear of its neighbour in that
    // direction (the day's limits are not tested).
    bool CanNudge(const TBlock* block, int delta) const;
    // Moves block by delta within 0..2400 (unless force, only when CanNudge) and snaps it.
    bool NudgeBlock(TBlock* block, int delta, bool force);
    // Moves block by the whole units of time from fromTime to toTime, its length kept and
    // stopped at 00:00 and 24:00; toTime becomes the time it was moved to.
    bool DragMoveBlock(TBlock* block, int fromTime, int& toTime);
    // Moves the start edge (down to the unit) or the end edge (to the nearest unit) to time,
    // never past the other edge. True when the block changed (snapping included).
    bool ResizeBlockEdge(TBlock* block, int time, TBlockEdge edge);
    // Makes block win over every block it overlaps: those are cut back, split around it or
    // removed; the pieces keep all their details. Every block is kept within 0..2400. True
    // when another block was cut or removed.
    bool SettleOverlaps(const TBlock* block);

    bool IsEmpty() const { return Blocks.empty(); }
    double ReportableHours() const;
    bool HasIncompleteBlock() const;
    // Monday = 1 ... Sunday = 7.
    int WeekDay() const;
    int DayOfMonth() const { return Date.day(); }
    // By ascending start; blocks with equal starts keep their order.
    void SortBlocks();
    // The date with the clock time of the last block's end (23:59:59.999 for an end of 2400
    // or later); the moment 0 for a day without blocks.
    TMoment LastEntryMoment() const;
    // Same date and pairwise equal blocks in list order.
    bool Equals(const TDay& other) const;

    QDate Date;
    std::vector<std::unique_ptr<TBlock>> Blocks;
};
