#include "inuselists.h"

#include "base/datalocations.h"
#include "base/filestamp.h"
#include "base/fileutils.h"
#include "base/textutils.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/lists/listlines.h"
#include "storage/months/bytefields.h"
#include "storage/months/datafilebytes.h"
#include "storage/months/datalineerror.h"
#include "storage/months/monthfile.h"
#include "storage/months/monthlinereader.h"

#include <algorithm>

#include <QDate>

namespace {
const QLatin1Char Tab('\t');
constexpr int DayEndClock = 2400;
constexpr int MSecsPerMinute = 60 * 1000;
constexpr int LastMSecOfDay = 24 * 60 * MSecsPerMinute - 1;

TFileStamp InUseFilesStamp(const QString& folder) {
    return std::max(FileStamp(folder + InUseCategoryListFileName),
                    FileStamp(folder + InUseClientListFileName));
}

bool HasFileNewerThan(const QString& folder, const QStringList& names, TFileStamp threshold) {
    return std::any_of(names.begin(), names.end(),
                       [&](const QString& name) { return FileStamp(folder + name) > threshold; });
}

// The date with the clock time of an end (HHMM); the last moment of the day from 2400 on.
TMoment EndMoment(QDate date, int end) {
    if (end >= DayEndClock)
        return TMoment(date, LastMSecOfDay);
    return TMoment(date, ((end / 100) * 60 + end % 100) * MSecsPerMinute);
}

QString NextName(const TDataFileBytes& file, std::string_view& rest) {
    return file.Decode(TrimByteBlanks(NextByteToken(rest, '\t')));
}

// Adds the pairs of one month file to the lists and moves lastEntry on to its latest end.
void AddMonthFile(const QString& fileName, const QString& userName, TClients& clients,
                  TCategories& categories, TMoment& lastEntry) {
    TDataFileBytes file = TDataFileBytes::Read(fileName);
    TMonthLineReader reader(fileName, userName, file.Encoding());
    std::string_view line;
    int lineNumber = 0;
    while (file.NextLine(line)) {
        ++lineNumber;
        std::string_view fields = TrimByteBlanks(line);
        if (fields.empty())
            continue;
        const QDate date = reader.ReadDate(TrimByteBlanks(NextByteToken(fields, '\t')), lineNumber);
        NextByteToken(fields, '\t'); // the start does not matter here
        const QString endField = file.Decode(TrimByteBlanks(NextByteToken(fields, '\t')));
        int end = 0;
        if (!TryInteger(endField, end))
            throw EDataLineError(fileName, lineNumber, QStringLiteral("End"),
                                 QuotedText(endField) + QStringLiteral(" is not a whole number"));
        lastEntry = std::max(lastEntry, EndMoment(date, end));
        const QString client = NextName(file, fields);
        const QString project = NextName(file, fields);
        const QString category = NextName(file, fields);
        const QString activity = NextName(file, fields);
        clients.AddEntry(client, project, true, QString());
        categories.AddEntry(category, activity, true);
    }
}
} // namespace

bool RebuildInUseLists(const QString& folder, TClients& clients, TCategories& categories,
                       TMoment& lastEntry, bool keepExisting, bool checkAge) {
    lastEntry = TMoment();
    const TFileStamp threshold = checkAge ? InUseFilesStamp(folder) : MissingFileStamp;
    // Other files that fit the pattern are left alone: read as month files they would only end
    // the rebuild with an error.
    const QStringList names = MonthFileNames(folder);
    if (!HasFileNewerThan(folder, names, threshold))
        return false;
    if (!keepExisting) {
        clients.Clear();
        categories.Clear();
    }
    const QString userName = LastPathPart(folder);
    for (const QString& name : names)
        AddMonthFile(folder + name, userName, clients, categories, lastEntry);
    return true;
}

void SaveInUseLists(const QString& folder, const TClients& clients, const TCategories& categories) {
    clients.SaveTo(folder + InUseClientListFileName);
    categories.SaveTo(folder + InUseCategoryListFileName);
}

bool UpdateInUseLists(const QString& folder, TClients& clients, TCategories& categories) {
    TMoment lastEntry;
    if (!RebuildInUseLists(folder, clients, categories, lastEntry, false, true))
        return false;
    SaveInUseLists(folder, clients, categories);
    return true;
}

bool InUseRebuildNeededAtStart(const TClients& clients, const TClients& inUseClients,
                               const TCategories& categories, const TCategories& inUseCategories) {
    return (clients.HasItems() && !inUseClients.HasItems()) ||
           (categories.HasItems() && !inUseCategories.HasItems());
}

void CheckInUseLists(bool& rebuildNeeded, TClients& ownClients, TCategories& ownCategories) {
    if (!rebuildNeeded)
        return;
    UpdateInUseLists(LocalDataPath(), ownClients, ownCategories);
    rebuildNeeded = false;
}
