#include "month.h"

#include "base/atomicfile.h"
#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/messages.h"
#include "base/ioerror.h"
#include "base/parallelfor.h"
#include "base/textcodec.h"
#include "base/textfile.h"
#include "base/textutils.h"
#include "storage/months/block.h"
#include "storage/months/bytefields.h"
#include "storage/months/datafilebytes.h"
#include "storage/months/monthfile.h"
#include "storage/months/monthlinereader.h"
#include "storage/values/calendardates.h"
#include "storage/values/timevalues.h"

#include <algorithm>
#include <exception>

namespace {
// Room for the blocks of a working day, so that reading one grows the list rarely.
constexpr std::size_t TypicalDayBlocks = 16;
// A month line is rarely shorter, so a file of N bytes seldom holds more than N / this lines.
constexpr std::size_t TypicalLineBytes = 80;
} // namespace

TMonth::TMonth(int year, int month, const QStringList& folders, TMonthUse use)
    : Month(month), Year(year), FUse(use) {
    AddDays();
    const QString name = MonthFileName(year, month);
    if (folders.isEmpty()) {
        FileName = LocalDataPath() + name;
        Load(FileName, CurrentUserName());
    }
    std::vector<TMonthFile> files;
    files.reserve(static_cast<std::size_t>(folders.size()));
    for (const QString& folder : folders) {
        FileName = WithTrailingSeparator(folder) + name;
        files.push_back({FileName, LastPathPart(folder)}); // the user the folder belongs to
    }
    LoadInParallel(files);
    if (FUse == TMonthUse::Edit)
        TakeSnapshot();
}

TMonth::~TMonth() = default;

TMonth::TMonth(const QString& fileName, const QString& userName)
    : Month(0), Year(0), FileName(fileName), FUse(TMonthUse::Read) {
    if (!MonthOfFileName(fileName, Year, Month))
        throw EInOutError(QStringLiteral("Not the name of a month file"), fileName);
    AddDays();
    Load(fileName, userName);
}

std::unique_ptr<TMonth> TMonth::CreateFromFile(const QString& fileName, const QString& userName) {
    return std::make_unique<TMonth>(fileName, userName);
}

void TMonth::AddDays() {
    const int count = DaysInMonth(Year, Month);
    Days.reserve(count);
    for (int day = 1; day <= count; ++day)
        Days.push_back(std::make_unique<TDay>(QDate(Year, Month, day)));
}

namespace {
// The blocks of one month file that fall on days of the month, each with its day number, in
// the file's order; or what stopped the reading.
struct TFileBlocks {
    std::vector<std::pair<int, std::unique_ptr<TBlock>>> Blocks;
    std::exception_ptr Error;
    TFileFingerprint Fingerprint; // taken only when asked for
};

// Reads one file on its own, touching no month, so that the files of several users can be read
// in parallel.
void ReadFileBlocks(const TMonthFile& source, int year, int month, bool takeFingerprint,
                    TFileBlocks& result) {
    std::optional<TDataFileBytes> read = TDataFileBytes::ReadIfExists(source.FileName);
    if (!read)
        return;
    TDataFileBytes& file = *read;
    if (takeFingerprint)
        result.Fingerprint = FingerprintOfBytes(file.Bytes());
    result.Blocks.reserve(file.Size() / TypicalLineBytes + 1);
    TMonthLineReader reader(source.FileName, source.UserName, file.Encoding());
    std::string_view line;
    int lineNumber = 0;
    QDate lastDate;
    int lastDay = 0;
    while (file.NextLine(line)) {
        ++lineNumber;
        if (line.empty())
            continue;
        const QDate date = reader.ReadDate(NextByteToken(line, '\t'), lineNumber);
        if (date != lastDate) {
            // Lines of one day come together; the date is taken apart once for them.
            int lineYear = 0;
            int lineMonth = 0;
            date.getDate(&lineYear, &lineMonth, &lastDay);
            lastDate = date;
            if (lineYear != year || lineMonth != month)
                lastDay = 0; // lines of other months are not read
        }
        if (lastDay != 0)
            result.Blocks.emplace_back(lastDay, reader.ReadBlock(line, lineNumber));
    }
}
} // namespace

void TMonth::Load(const QString& fileName, const QString& userName) {
    LoadInParallel({{fileName, userName}});
}

void TMonth::LoadInParallel(const std::vector<TMonthFile>& files) {
    std::vector<TFileBlocks> read(files.size());
    const auto readOne = [&](std::size_t i) {
        try {
            ReadFileBlocks(files[i], Year, Month, FUse == TMonthUse::Edit, read[i]);
        } catch (...) {
            read[i].Error = std::current_exception();
        }
    };
    if (files.size() == 1)
        readOne(0);
    else
        ParallelFor(files.size(), readOne);
    // The blocks go to the days in the order of the files, so the result does not depend on
    // which file was read first; the first file that could not be read is the one reported.
    std::array<TDay*, 32> dayOfNumber{};
    for (auto it = Days.rbegin(); it != Days.rend(); ++it)
        if ((*it)->Date.year() == Year && (*it)->Date.month() == Month)
            dayOfNumber[(*it)->Date.day()] = it->get();
    for (TFileBlocks& file : read) {
        if (file.Error)
            std::rethrow_exception(file.Error);
        AddBlocks(file.Blocks, dayOfNumber);
    }
    if (files.size() == 1)
        FLoadedFingerprint = read.front().Fingerprint;
}

void TMonth::AddBlocks(std::vector<std::pair<int, std::unique_ptr<TBlock>>>& blocks,
                       const std::array<TDay*, 32>& dayOfNumber) {
    for (auto& [number, block] : blocks) {
        TDay* day = dayOfNumber[number];
        if (!day)
            continue;
        if (day->Blocks.capacity() == 0)
            day->Blocks.reserve(TypicalDayBlocks);
        day->Append(std::move(block));
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
    const QByteArray bytes = EncodeDataText(text);
    const QString keptAs = KeepChangedFile();
    // The snapshot follows only a write that succeeded, so a failed one is tried again.
    WriteFileWhole(FileName, bytes);
    FLoadedFingerprint = FingerprintOfBytes(bytes);
    TakeSnapshot();
    if (!keptAs.isEmpty())
        ShowMessageBox(ChangedMonthFileText(FileName, keptAs), TMsgKind::Warning, mbOK);
    return true;
}

QString TMonth::KeepChangedFile() const {
    if (FUse != TMonthUse::Edit)
        return {};
    std::optional<TDataFileBytes> now = TDataFileBytes::ReadIfExists(FileName);
    if (!now || FingerprintOfBytes(now->Bytes()) == FLoadedFingerprint)
        return {}; // unchanged, or gone: nothing of the other writer's is left to keep
    const QString keptAs = ChangedMonthFileName(FileName, QDateTime::currentDateTime());
    WriteFileWhole(keptAs, now->Bytes());
    return keptAs;
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
