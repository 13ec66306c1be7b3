#include "day.h"

#include "storage/months/block.h"
#include "storage/months/monthfile.h"
#include "storage/months/monthlinereader.h"
#include "storage/values/calendardates.h"
#include "storage/values/datetexts.h"
#include "storage/values/timevalues.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int DayEndClock = 2400;
constexpr int LastMSecOfDay = 24 * 60 * 60 * 1000 - 1;
} // namespace

TDay::TDay(QDate date) : Date(date) {}

TDay::~TDay() = default;

std::unique_ptr<TDay> TDay::CreateCopy(const TDay& other) {
    auto day = std::make_unique<TDay>(other.Date);
    day->Blocks.reserve(other.Blocks.size());
    for (const auto& block : other.Blocks)
        day->Blocks.push_back(TBlock::CreateDuplicate(*block));
    return day;
}

TBlock& TDay::ReadLine(QStringView rest, const QString& userName) {
    TMonthLineReader reader({}, userName, TDataEncoding::Utf8);
    const QByteArray bytes = rest.toUtf8();
    return Append(reader.ReadBlock(std::string_view(bytes.constData(), bytes.size()), 0));
}

void TDay::WriteLines(QString& text) const {
    if (Blocks.empty())
        return;
    const QString dateText = DateText(Date);
    for (const auto& block : Blocks)
        AppendMonthLine(text, dateText, *block);
}

TBlock& TDay::AddBlock(int startTime, int endTime) {
    return Append(std::make_unique<TBlock>(startTime, endTime));
}

TBlock& TDay::AddNewBlock(int startTime, int endTime, TMoney rate, std::uint8_t source,
                          std::uint8_t code, bool withBilling) {
    return Append(TBlock::CreateNew(startTime, endTime, code, source, rate, withBilling));
}

TBlock& TDay::Append(std::unique_ptr<TBlock> block) {
    Blocks.push_back(std::move(block));
    return *Blocks.back();
}

std::unique_ptr<TBlock> TDay::Remove(const TBlock* block) {
    const auto found = std::find_if(Blocks.begin(), Blocks.end(),
                                    [block](const auto& own) { return own.get() == block; });
    if (found == Blocks.end())
        return nullptr;
    std::unique_ptr<TBlock> taken = std::move(*found);
    Blocks.erase(found);
    return taken;
}

TBlock* TDay::FindByStart(int time) const {
    for (const auto& block : Blocks)
        if (block->StartTime == time)
            return block.get();
    return nullptr;
}

TBlock* TDay::PreviousBlock(const TBlock* block) const {
    if (!block)
        return nullptr;
    TBlock* best = nullptr;
    for (const auto& candidate : Blocks)
        if (candidate->StartTime < block->StartTime &&
            (!best || candidate->StartTime > best->StartTime))
            best = candidate.get();
    return best;
}

TBlock* TDay::NextBlock(const TBlock* block) const {
    if (!block)
        return nullptr;
    TBlock* best = nullptr;
    for (const auto& candidate : Blocks)
        if (candidate->StartTime > block->StartTime &&
            (!best || candidate->StartTime < best->StartTime))
            best = candidate.get();
    return best;
}

double TDay::ReportableHours() const {
    double hours = 0;
    for (const auto& block : Blocks)
        if (block->Reportable)
            hours += block->Hours();
    return hours;
}

bool TDay::HasIncompleteBlock() const {
    return std::any_of(Blocks.begin(), Blocks.end(),
                       [](const auto& block) { return !block->IsComplete(); });
}

int TDay::WeekDay() const {
    return WeekDayNumber(Date);
}

void TDay::SortBlocks() {
    std::stable_sort(Blocks.begin(), Blocks.end(),
                     [](const auto& a, const auto& b) { return a->StartTime < b->StartTime; });
}

TMoment TDay::LastEntryMoment() const {
    if (Blocks.empty())
        return {};
    const int clock = TimeToClock(Blocks.back()->EndTime);
    if (clock >= DayEndClock)
        return TMoment(Date, LastMSecOfDay);
    if (clock <= 0)
        return TMoment(Date);
    return TMoment(Date, QTime(clock / 100, clock % 100));
}

bool TDay::Equals(const TDay& other) const {
    if (Date != other.Date || Blocks.size() != other.Blocks.size())
        return false;
    for (std::size_t i = 0; i < Blocks.size(); ++i)
        if (!Blocks[i]->Equals(*other.Blocks[i]))
            return false;
    return true;
}

namespace {
// A time difference cut toward zero to whole units of time. The 10-minute unit works on whole
// minutes, as the snapping does, because 17 hundredths are not ten minutes.
int WholeSteps(int delta) {
    const int step = TimeStep();
    const int magnitude = std::abs(delta);
    int cut = 0;
    if (step == StepFromMinutes(10)) {
        const int tens = DurationMinutes(magnitude) / 10 * 10;
        cut = (tens * 100 + 30) / 60; // back to hundredths, to the nearest
    } else {
        cut = magnitude / step * step;
    }
    return delta < 0 ? -cut : cut;
}
} // namespace

bool TDay::SnapBlock(TBlock* block) {
    return block && block->Snap();
}

bool TDay::CanNudge(const TBlock* block, int delta) const {
    if (!block)
        return false;
    const TBlock* neighbour = delta < 1 ? PreviousBlock(block) : NextBlock(block);
    if (!neighbour)
        return true;
    const int start = block->StartTime + delta;
    const int end = block->EndTime + delta;
    const bool within = neighbour->StartTime >= start && end >= neighbour->EndTime;
    const bool overlapping = neighbour->StartTime < end && start < neighbour->EndTime;
    return !within && !overlapping;
}

bool TDay::NudgeBlock(TBlock* block, int delta, bool force) {
    if (!block || block->EndTime + delta > DayEnd || block->StartTime + delta < 0)
        return false;
    if (!force && !CanNudge(block, delta))
        return false;
    block->StartTime += delta;
    block->EndTime += delta;
    SnapBlock(block);
    return true;
}

bool TDay::DragMoveBlock(TBlock* block, int fromTime, int& toTime) {
    if (!block)
        return false;
    const int from = fromTime;
    const int delta = WholeSteps(toTime - from);
    int correction = 0;
    if (block->StartTime + delta < 0)
        correction = -(block->StartTime + delta);
    else if (block->EndTime + delta > DayEnd)
        correction = DayEnd - block->EndTime - delta;
    toTime = from + delta + correction;
    block->StartTime += delta + correction;
    block->EndTime += delta + correction;
    SnapBlock(block);
    return true;
}

bool TDay::ResizeBlockEdge(TBlock* block, int time, TBlockEdge edge) {
    if (!block)
        return false;
    const bool changed = SnapBlock(block);
    if (edge == TBlockEdge::Start && time != block->StartTime) {
        const int start = SnapDown(time);
        if (start < block->EndTime) {
            block->StartTime = start;
            return true;
        }
    } else if (edge == TBlockEdge::End && time != block->EndTime) {
        const int end = SnapNearest(time);
        if (end > block->StartTime) {
            block->EndTime = end;
            return true;
        }
    }
    return changed;
}

bool TDay::SettleOverlaps(const TBlock* block) {
    if (!block)
        return false;
    bool cut = false;
    // Pieces appended on the way are not visited again: the loop runs over the blocks that
    // were there at the start, from the last to the first.
    for (std::size_t index = Blocks.size(); index-- > 0;) {
        TBlock* other = Blocks[index].get();
        other->StartTime = std::max(other->StartTime, 0);
        other->EndTime = std::min(other->EndTime, DayEnd);
        if (other == block || block->StartTime >= other->EndTime ||
            other->StartTime >= block->EndTime)
            continue;
        const auto addPiece = [this, other](int start, int end) {
            std::unique_ptr<TBlock> piece = TBlock::CreateDuplicate(*other);
            piece->StartTime = start;
            piece->EndTime = end;
            Blocks.push_back(std::move(piece));
        };
        if (other->StartTime < block->StartTime)
            addPiece(other->StartTime, block->StartTime);
        if (block->EndTime < other->EndTime)
            addPiece(block->EndTime, other->EndTime);
        Blocks.erase(Blocks.begin() + std::ptrdiff_t(index));
        cut = true;
    }
    return cut;
}
