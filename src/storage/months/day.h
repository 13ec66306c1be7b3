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

// The geometry of the timeline a day is drawn on, as plain numbers. Days read for reports,
// exports or the server scan keep the defaults.
struct TDayView {
    int FirstTime = 0; // time at the left edge
    int Hours = 24;    // hours the timeline spans
    int Width = 0;     // pixels
    int Height = 0;    // pixels
    double PixelsPerHundredth = 0;

    static TDayView Make(int firstTime, int hours, int width, int height);
    // A new width, and the pixels per hundredth that follow from it.
    void SetWidth(int width);
};

// Where on a block the pointer is.
enum THitZone { hzBody = 0, hzStartEdge = 1, hzEndEdge = 2 };

// The block under a position of the timeline (none between blocks) and where on it.
struct TDayHit {
    TBlock* Block = nullptr;
    THitZone Zone = hzBody;
};

// One calendar day and its blocks (owned, in list order).
class TDay {
public:
    explicit TDay(QDate date, const TDayView& view = {});
    TDay(const TDay&) = delete;
    TDay& operator=(const TDay&) = delete;
    ~TDay();

    // Same date and geometry; every block duplicated exactly (TBlock::CreateDuplicate), in
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
    // Moves block from the time at fromX by the whole units of time to the time at toX, its
    // length kept and stopped at 00:00 and 24:00; toX becomes the position it was moved to.
    bool DragMoveBlock(TBlock* block, int fromX, int& toX);
    // Moves the start edge (down to the unit) or the end edge (to the nearest unit) to the time
    // at x, never past the other edge. True when the block changed (snapping included).
    bool ResizeBlockEdge(TBlock* block, int x, THitZone zone);
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
    // Same date, view start and hours, and pairwise equal blocks in list order.
    bool Equals(const TDay& other) const;

    // Timeline positions and times, both ways, rounded to the nearest (halves to even); not
    // clamped to the day. A day without a width maps every position to its first time.
    int XToTime(int x) const;
    int TimeToX(int time) const;
    // The first block in list order whose span holds the time at x (both ends included), and
    // whether x lies on its start edge (less than 3 pixels off), on its end edge (at most 3
    // pixels off) or in its body; the start edge is tested first.
    TDayHit HitTest(int x) const;

    QDate Date;
    TDayView View;
    std::vector<std::unique_ptr<TBlock>> Blocks;
};
