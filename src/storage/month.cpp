#include "month.h"

#include "app/datalocations.h"
#include "app/fileutils.h"
#include "app/textutils.h"
#include "storage/block.h"
#include "storage/bytefields.h"
#include "storage/calendardates.h"
#include "storage/datafilebytes.h"
#include "storage/ioerror.h"
#include "storage/monthfile.h"
#include "storage/monthlinereader.h"
#include "storage/textcodec.h"
#include "storage/textfile.h"
#include "storage/timevalues.h"

#include <QFileInfo>

#include <algorithm>

namespace {
// Room for the blocks of a working day, so that reading one grows the list rarely.
constexpr std::size_t TypicalDayBlocks = 16;
} // namespace

TMonth::TMonth(int year, int month, const QStringList& folders, const TDayView& view,
               TMonthUse use)
    : Month(month), Year(year), FUse(use) {
    AddDays(view);
    const QString name = MonthFileName(year, month);
    if (folders.isEmpty()) {
        FileName = LocalDataPath() + name;
        Load(FileName, CurrentUserName());
    }
    for (const QString& folder : folders) {
        FileName = WithTrailingSeparator(folder) + name;
        Load(FileName, LastPathPart(folder)); // the user the folder belongs to
    }
    if (FUse == TMonthUse::Edit)
        TakeSnapshot();
}

TMonth::~TMonth() = default;

TMonth::TMonth(const QString& fileName, const QString& userName)
    : Month(0), Year(0), FileName(fileName), FUse(TMonthUse::Read) {
    if (!MonthOfFileName(fileName, Year, Month))
        throw EInOutError(QStringLiteral("Not the name of a month file"), fileName);
    AddDays({});
    Load(fileName, userName);
}

std::unique_ptr<TMonth> TMonth::CreateFromFile(const QString& fileName, const QString& userName) {
    return std::make_unique<TMonth>(fileName, userName);
}

void TMonth::AddDays(const TDayView& view) {
    const int count = DaysInMonth(Year, Month);
    Days.reserve(count);
    for (int day = 1; day <= count; ++day)
        Days.push_back(std::make_unique<TDay>(QDate(Year, Month, day), view));
}

void TMonth::Load(const QString& fileName, const QString& userName) {
    if (!QFileInfo::exists(fileName))
        return;
    TDataFileBytes file = TDataFileBytes::Read(fileName);
    std::array<TDay*, 32> dayOfNumber{};
    for (auto it = Days.rbegin(); it != Days.rend(); ++it)
        if ((*it)->Date.year() == Year && (*it)->Date.month() == Month)
            dayOfNumber[(*it)->Date.day()] = it->get();
    TMonthLineReader reader(fileName, userName, file.Encoding());
    std::string_view line;
    int lineNumber = 0;
    QDate lastDate;
    TDay* lastDay = nullptr;
    while (file.NextLine(line)) {
        ++lineNumber;
        if (line.empty())
            continue;
        const QDate date = reader.ReadDate(NextByteToken(line, '\t'), lineNumber);
        if (date != lastDate) {
            // Lines of one day come together; the day is looked up once for them.
            int year = 0;
            int month = 0;
            int day = 0;
            date.getDate(&year, &month, &day);
            lastDate = date;
            lastDay = year == Year && month == Month ? dayOfNumber[day] : nullptr;
            if (lastDay && lastDay->Blocks.capacity() == 0)
                lastDay->Blocks.reserve(TypicalDayBlocks);
        }
        if (lastDay)
            lastDay->Append(reader.ReadBlock(line, lineNumber));
    }
}

TDay* TMonth::DayByDate(QDate date) const {
    for (const auto& day : Days)
        if (day->Date == date)
            return day.get();
    return nullptr;
}

TDay* TMonth::DayByNumber(int day) const {
    for (const auto& candidate : Days)
        if (candidate->DayOfMonth() == day)
            return candidate.get();
    return nullptr;
}

TBlock* TMonth::BlockAt(const TMoment& moment) const {
    const TDay* day = DayByDate(moment.Date());
    if (!day)
        return nullptr;
    const QTime time = moment.Time();
    return day->FindByStart(ClockToTime(time.hour() * 100 + time.minute()));
}

void TMonth::ReplaceDay(const TDay& day) {
    std::unique_ptr<TDay> copy = TDay::CreateCopy(day);
    const auto same = std::find_if(Days.begin(), Days.end(),
                                   [&day](const auto& own) { return own->Date == day.Date; });
    if (same != Days.end())
        Days.erase(same);
    Days.push_back(std::move(copy));
}

void TMonth::SetWidth(int width) {
    for (const auto& day : Days)
        day->View.SetWidth(width);
    for (const auto& day : SavedDays)
        day->View.SetWidth(width);
}

void TMonth::Sort() {
    const auto byDate = [](const auto& a, const auto& b) { return a->Date < b->Date; };
    std::stable_sort(Days.begin(), Days.end(), byDate);
    std::stable_sort(SavedDays.begin(), SavedDays.end(), byDate);
    for (const auto& day : Days)
        day->SortBlocks();
    for (const auto& day : SavedDays)
        day->SortBlocks();
}

bool TMonth::IsModified() {
    Sort();
    if (FUse == TMonthUse::Read)
        return false;
    if (Days.size() != SavedDays.size())
        return true;
    for (std::size_t i = 0; i < Days.size(); ++i)
        if (!Days[i]->Equals(*SavedDays[i]))
            return true;
    return false;
}

bool TMonth::Save() {
    if (!IsModified())
        return false;
    QString text;
    for (const auto& day : Days)
        day->WriteLines(text);
    // The snapshot follows only a write that succeeded, so a failed one is tried again.
    WriteTextFile(FileName, text);
    TakeSnapshot();
    return true;
}

void TMonth::TakeSnapshot() {
    SavedDays.clear();
    SavedDays.reserve(Days.size());
    for (const auto& day : Days)
        SavedDays.push_back(TDay::CreateCopy(*day));
}

TMoment TMonth::LastEntryMoment() {
    Sort();
    for (auto it = Days.rbegin(); it != Days.rend(); ++it)
        if (!(*it)->IsEmpty())
            return (*it)->LastEntryMoment();
    return {};
}

void TMonth::MarkDays(TDayMarks& marks) const {
    marks.fill(false);
    for (const auto& day : Days) {
        const int number = day->DayOfMonth();
        if (number >= 0 && number < static_cast<int>(marks.size()) && day->ReportableHours() > 0)
            marks[number] = true;
    }
}

std::vector<std::unique_ptr<TDay>> TMonth::TakeDays() {
    std::vector<std::unique_ptr<TDay>> days = std::move(Days);
    Days.clear();
    return days;
}
