#include "exportformat.h"

#include "base/lockremedy.h"
#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/inifile.h"
#include "base/ioerror.h"
#include "base/textfile.h"
#include "base/textutils.h"
#include "exportformatfiles.h"

#include <algorithm>
#include <map>

#include <QFile>

#include <QFileInfo>

namespace {
const QString HeaderSection = QStringLiteral("Header");
const QString UsersSection = QStringLiteral("Users");
const QString FiltersSection = QStringLiteral("Filters");
const QString FilesSection = QStringLiteral("Files");

QString FieldSection(int n) {
    return QStringLiteral("Field") + QString::number(n);
}

// The place of an area's columns in FItems.
std::size_t ListIndex(TExportArea area) {
    switch (area) {
    case TExportArea::Client:
        return 0;
    case TExportArea::Category:
        return 1;
    default:
        return 2;
    }
}

int ReadNumber(const TIniFile& ini, const QString& section, const QString& key, int def) {
    int value = def;
    return ParseStoredInteger(ini.ReadRaw(section, key), value) ? value : def;
}

bool ReadFlag(const TIniFile& ini, const QString& section, const QString& key, bool def) {
    return ReadNumber(ini, section, key, def ? 1 : 0) != 0;
}

int InRange(int value, int low, int high) {
    return value >= low && value <= high ? value : 0;
}

// Ini values are single lines: a line break inside a value would split the file's line.
void Put(QString& text, const QString& key, const QString& value) {
    text += key + QLatin1Char('=') + SingleLine(value) + QLatin1String("\r\n");
}

void Put(QString& text, const QString& key, int value) {
    Put(text, key, QString::number(value));
}

void PutFlag(QString& text, const QString& key, bool value) {
    Put(text, key, value ? 1 : 0);
}

void BeginSection(QString& text, const QString& name) {
    text += QLatin1Char('[') + name + QLatin1String("]\r\n");
}

void EndSection(QString& text) {
    text += QLatin1String("\r\n");
}

// The non-empty values of "User1" to "User" + count, in that order. The keys the section
// holds are looked at, not every number up to count: a hand-made count may be in the
// billions.
QStringList ReadUsers(const TIniFile& ini, int count) {
    const QString prefix = QStringLiteral("User");
    std::map<int, QString> byNumber;
    for (const QString& key : ini.Keys(UsersSection)) {
        if (!key.startsWith(prefix, Qt::CaseInsensitive))
            continue;
        const QString digits = key.mid(prefix.size());
        bool ok = false;
        const int number = digits.toInt(&ok);
        if (ok && number >= 1 && number <= count && QString::number(number) == digits)
            byNumber.try_emplace(number, ini.ReadRaw(UsersSection, key));
    }
    QStringList users;
    for (const auto& [number, user] : byNumber)
        if (!user.isEmpty())
            users.append(user);
    return users;
}

// Blank rows a format may ask for between groups: the editor offers 1 to 5; a hand-made file
// asking for millions would make an export of nothing but line ends.
constexpr int MostBlankRows = 1000;
} // namespace

bool ParseStoredInteger(const QString& text, int& value) {
    qsizetype i = 0;
    while (i < text.size() && text.at(i) == QLatin1Char(' '))
        ++i;
    QString number = text.mid(i);
    bool negative = false;
    if (number.startsWith(QLatin1Char('-')) || number.startsWith(QLatin1Char('+'))) {
        negative = number.startsWith(QLatin1Char('-'));
        number.remove(0, 1);
    }
    int base = 10;
    if (number.startsWith(QLatin1Char('$'))) {
        base = 16;
        number.remove(0, 1);
    } else if (number.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        number.remove(0, 2);
    }
    if (number.isEmpty() || number.at(0) == QLatin1Char('+') || number.at(0) == QLatin1Char('-'))
        return false;
    for (const QChar ch : number)
        if (ch.isSpace())
            return false;
    bool ok = false;
    const qlonglong parsed = number.toLongLong(&ok, base);
    const qlonglong signedValue = negative ? -parsed : parsed;
    if (!ok || signedValue < std::numeric_limits<int>::min() ||
        signedValue > std::numeric_limits<int>::max())
        return false;
    value = int(signedValue);
    return true;
}

TExportFormat::TExportFormat() : FormatName(QStringLiteral("Untitled")) {
    MarkNew();
}

TExportFormat::TExportFormat(const TExportFormat& other) {
    *this = other;
}

TExportFormat& TExportFormat::operator=(const TExportFormat& other) {
    if (this == &other)
        return *this;
    FormatName = other.FormatName;
    FormatDescription = other.FormatDescription;
    BlankRows = other.BlankRows;
    SkipEmptyGroups = other.SkipEmptyGroups;
    Period = other.Period;
    Headings = other.Headings;
    Delimiter = other.Delimiter;
    DelimiterReplace = other.DelimiterReplace;
    Users = other.Users;
    Client = other.Client;
    Project = other.Project;
    ActiveClientProjects = other.ActiveClientProjects;
    Charging = other.Charging;
    Overtime = other.Overtime;
    FileDir = other.FileDir;
    FileName = other.FileName;
    for (std::size_t a = 0; a < FItems.size(); ++a) {
        FItems[a].clear();
        for (const auto& item : other.FItems[a])
            FItems[a].push_back(item->Copy());
    }
    FGroupOrder = other.FGroupOrder;
    FFileStamp = other.FFileStamp;
    return *this;
}

TExportFormat::~TExportFormat() = default;

bool TExportFormat::SetName(const QString& name) {
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty() || HasInvalidNameChar(trimmed) || HasControlCharacter(trimmed))
        return false;
    FormatName = trimmed;
    return true;
}

QString TExportFormat::SetHeader(const TExportHeader& header) {
    if (header.Name.trimmed().isEmpty())
        return QStringLiteral("Format name cannot be blank");
    if (HasControlCharacter(header.Name.trimmed()))
        return ControlCharacterInNameText;
    if (!SetName(header.Name))
        return QStringLiteral("Format name cannot contain \\/:*?\"<>|");
    FormatDescription = header.Description;
    if (header.OutputPath.trimmed().isEmpty()) {
        FileDir.clear();
        FileName.clear();
    } else {
        const QFileInfo output(header.OutputPath);
        FileDir = WithTrailingSeparator(output.absolutePath());
        FileName = output.fileName();
    }
    Overtime = header.Overtime;
    Charging = header.Charging;
    ActiveClientProjects = header.ActiveClientProjects;
    Project = header.Project;
    Client = header.Client;
    Period = header.Period;
    DelimiterReplace = header.DelimiterReplace;
    Delimiter = header.Delimiter;
    SkipEmptyGroups = header.SkipEmptyGroups;
    BlankRows = header.BlankRows;
    Headings = header.Headings;
    return {};
}

const TExportFormat::TItems& TExportFormat::Items(TExportArea area) const {
    return FItems[ListIndex(area)];
}

TExportFormat::TItems& TExportFormat::ItemsOf(TExportArea area) {
    return FItems[ListIndex(area)];
}

int TExportFormat::ItemCount() const {
    int count = 0;
    for (const TItems& items : FItems)
        count += int(items.size());
    return count;
}

TExportItem* TExportFormat::FindItem(const QString& displayName, TExportArea area) const {
    for (const auto& item : Items(area))
        if (SameAsciiText(item->DisplayName(), displayName))
            return item.get();
    return nullptr;
}

TExportItem* TExportFormat::AddField(TExportField field) {
    if (static_cast<int>(field) < 0 || static_cast<int>(field) >= StandardFieldCount)
        return nullptr;
    for (const auto& item : Items(ExportFieldArea(field)))
        if (item->Field == field)
            return nullptr;
    return AddItem(TExportItem::ForField(field));
}

std::unique_ptr<TExportItem> TExportFormat::NewUserDefinedColumn(TExportArea area) const {
    return TExportItem::UserDefined(area);
}

TExportItem* TExportFormat::AddItem(std::unique_ptr<TExportItem> item) {
    if (!item)
        return nullptr;
    TExportItem* added = item.get();
    EnsureGroupSlot(item->FieldArea);
    ItemsOf(item->FieldArea).push_back(std::move(item));
    return added;
}

void TExportFormat::EnsureGroupSlot(TExportArea area) {
    for (TExportArea& slot : FGroupOrder) {
        if (slot == area)
            return;
        if (slot == TExportArea::None) {
            slot = area;
            return;
        }
    }
}

void TExportFormat::RemoveItem(const TExportItem* item) {
    if (item)
        std::erase_if(ItemsOf(item->FieldArea), [&](const auto& own) { return own.get() == item; });
}

void TExportFormat::MoveItem(const TExportItem* item, int step) {
    if (!item)
        return;
    TItems& items = ItemsOf(item->FieldArea);
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&](const auto& own) { return own.get() == item; });
    if (it == items.end())
        return;
    const auto from = std::distance(items.begin(), it);
    const auto to =
        std::clamp<std::ptrdiff_t>(from + (step < 0 ? -1 : 1), 0, std::ptrdiff_t(items.size()) - 1);
    std::swap(items[from], items[to]);
}

void TExportFormat::ClearItems() {
    for (TItems& items : FItems)
        items.clear();
    FGroupOrder.fill(TExportArea::None);
}

void TExportFormat::SetGroupOrder(const QStringList& groupNames) {
    // A group named twice keeps its first place, so every area stands at most once.
    FGroupOrder.fill(TExportArea::None);
    for (const QString& name : groupNames)
        EnsureGroupSlot(ExportAreaFromGroupName(name));
}

QString TExportFormat::ReadFromFile(const QString& path) {
    try {
        return ReadFromText(ReadTextFile(path), path);
    } catch (const EInOutError&) {
        ResetAfterFailure();
        return QStringLiteral("Unexpected error in \"") + path + QStringLiteral("\" file");
    }
}

QString TExportFormat::ReadFromText(const QString& text, const QString& path) {
    try {
        TIniFile ini;
        ini.LoadFromText(text);
        return ReadSections(ini);
    } catch (const std::exception&) {
        ResetAfterFailure();
        return QStringLiteral("Unexpected error in \"") + path + QStringLiteral("\" file");
    }
}

void TExportFormat::ResetAfterFailure() {
    FormatName.clear();
    Headings = false;
    Delimiter = 0;
    ClearItems();
    Users.clear();
}

QString TExportFormat::ReadSections(const TIniFile& ini) {
    ClearItems();
    Users.clear();
    FormatName = ini.ReadRaw(HeaderSection, QStringLiteral("FormatName"));
    if (FormatName.isEmpty())
        return QStringLiteral("Export format file does not contain a name");
    FormatDescription = ini.ReadRaw(HeaderSection, QStringLiteral("FormatDescription"));
    const int fieldCount = ReadNumber(ini, HeaderSection, QStringLiteral("FieldCount"), 0);
    if (fieldCount <= 0) // a negative count names no field either
        return QStringLiteral("Export format file does not contain any fields");
    Headings = ReadFlag(ini, HeaderSection, QStringLiteral("Headings"), false);
    BlankRows = std::min(ReadNumber(ini, HeaderSection, QStringLiteral("BlankRows"), 0), MostBlankRows);
    SkipEmptyGroups = ReadFlag(ini, HeaderSection, QStringLiteral("SkipEmptyGroups"), false);
    Delimiter = ReadNumber(ini, HeaderSection, QStringLiteral("Delimiter"), '\t');
    DelimiterReplace = ReadNumber(ini, HeaderSection, QStringLiteral("DelimiterReplace"), ';');
    Period = InRange(ReadNumber(ini, HeaderSection, QStringLiteral("Period"), 0), 0, 4);
    const int userCount = ReadNumber(ini, HeaderSection, QStringLiteral("UserCount"), 0);
    Users = ReadUsers(ini, userCount);
    Client = ini.ReadRaw(FiltersSection, QStringLiteral("Client"));
    Project = Client.isEmpty() ? QString() : ini.ReadRaw(FiltersSection, QStringLiteral("Project"));
    ActiveClientProjects =
        ReadFlag(ini, FiltersSection, QStringLiteral("ActiveClientProjects"), false);
    Charging = static_cast<TCharging>(
        InRange(ReadNumber(ini, FiltersSection, QStringLiteral("Charging"), 0), 0, 2));
    Overtime = ReadFlag(ini, FiltersSection, QStringLiteral("Overtime"), true);
    FileDir = ini.ReadRaw(FilesSection, QStringLiteral("FileDir"));
    FileName = ini.ReadRaw(FilesSection, QStringLiteral("FileName"));
    TExportArea previousArea = TExportArea::None;
    for (int n = 1; n <= fieldCount; ++n)
        if (QString error = ReadField(ini, n, previousArea); !error.isEmpty())
            return error;
    return {};
}

// Reads section "Field" + n. A change of area gives the new area the next group slot. A
// hand-made file may change area more often than there are slots (Data, Client, Data, ...):
// an area keeps the slot of its first appearance and its columns stay together in its list,
// so the group order never holds an area twice.
QString TExportFormat::ReadField(const TIniFile& ini, int n, TExportArea& previousArea) {
    const QString section = FieldSection(n);
    const QString number = QString::number(n);
    if (!ini.SectionExists(section))
        return QStringLiteral("Export format file missing section for field ") + number;
    const TExportArea area = ExportAreaFromWord(ini.ReadRaw(section, QStringLiteral("FieldArea")));
    if (area == TExportArea::None)
        return QStringLiteral("Export format file missing Field Area for field ") + number;
    if (area != previousArea) {
        EnsureGroupSlot(area);
        previousArea = area;
    }
    const QString name = ini.ReadRaw(section, QStringLiteral("FieldName"));
    if (name.isEmpty())
        return QStringLiteral("Export format file missing Field Name for field ") + number;
    auto item = std::make_unique<TExportItem>();
    item->Field = ExportFieldFromName(name);
    if (item->IsUserDefined())
        item->Name = name;
    item->FieldValue = ini.ReadRaw(section, QStringLiteral("FieldValue"));
    const QString type = ini.ReadRaw(section, QStringLiteral("FieldType"));
    if (type.isEmpty())
        return QStringLiteral("Export format file missing Field Type for field ") + number;
    item->FieldType = ExportTypeFromWord(type);
    item->FieldFormat = ini.ReadRaw(section, QStringLiteral("FieldFormat"));
    item->FieldHeading = ini.ReadRaw(section, QStringLiteral("FieldHeading"));
    item->FieldMergeFollowing =
        ReadFlag(ini, section, QStringLiteral("FieldMergeFollowing"), false);
    item->FieldSeparator = ini.ReadRaw(section, QStringLiteral("FieldSeparator"));
    item->FieldArea = area;
    AddItem(std::move(item));
    return {};
}

QString TExportFormat::ToText() const {
    QString text;
    BeginSection(text, HeaderSection);
    Put(text, QStringLiteral("FormatName"), FormatName);
    Put(text, QStringLiteral("FormatDescription"), FormatDescription);
    Put(text, QStringLiteral("FieldCount"), ItemCount());
    PutFlag(text, QStringLiteral("Headings"), Headings);
    Put(text, QStringLiteral("BlankRows"), BlankRows);
    Put(text, QStringLiteral("Delimiter"), Delimiter);
    Put(text, QStringLiteral("DelimiterReplace"), DelimiterReplace);
    Put(text, QStringLiteral("Period"), Period);
    Put(text, QStringLiteral("UserCount"), int(Users.size()));
    EndSection(text);
    if (!Users.isEmpty()) {
        BeginSection(text, UsersSection);
        for (qsizetype i = 0; i < Users.size(); ++i)
            Put(text, QStringLiteral("User") + QString::number(i + 1), Users.at(i));
        EndSection(text);
    }
    BeginSection(text, FiltersSection);
    Put(text, QStringLiteral("Client"), Client);
    Put(text, QStringLiteral("Project"), Project);
    PutFlag(text, QStringLiteral("ActiveClientProjects"), ActiveClientProjects);
    Put(text, QStringLiteral("Charging"), static_cast<int>(Charging));
    PutFlag(text, QStringLiteral("Overtime"), Overtime);
    EndSection(text);
    BeginSection(text, FilesSection);
    Put(text, QStringLiteral("FileDir"), FileDir);
    Put(text, QStringLiteral("FileName"), FileName);
    EndSection(text);
    int n = 0;
    for (const TExportArea area : WrittenAreaOrder()) {
        for (const auto& item : Items(area)) {
            BeginSection(text, FieldSection(++n));
            Put(text, QStringLiteral("FieldName"), item->DisplayName());
            if (item->IsUserDefined())
                Put(text, QStringLiteral("FieldValue"), item->FieldValue);
            Put(text, QStringLiteral("FieldArea"), ExportAreaWord(area));
            Put(text, QStringLiteral("FieldType"), ExportTypeWord(item->FieldType));
            Put(text, QStringLiteral("FieldFormat"), item->FieldFormat);
            Put(text, QStringLiteral("FieldHeading"), item->FieldHeading);
            PutFlag(text, QStringLiteral("FieldMergeFollowing"), item->FieldMergeFollowing);
            Put(text, QStringLiteral("FieldSeparator"), item->FieldSeparator);
            EndSection(text);
        }
    }
    return text;
}

// The group order, followed by any area that holds columns but has no slot, so that every
// column counted in "FieldCount" gets its section.
std::vector<TExportArea> TExportFormat::WrittenAreaOrder() const {
    std::vector<TExportArea> order;
    for (const TExportArea area : FGroupOrder)
        if (area != TExportArea::None)
            order.push_back(area);
    for (const TExportArea area : {TExportArea::Client, TExportArea::Category, TExportArea::Data})
        if (!Items(area).empty() && std::find(order.begin(), order.end(), area) == order.end())
            order.push_back(area);
    return order;
}

QString TExportFormat::WriteToFile(const QString& path) const {
    try {
        WriteTextFile(path, ToText());
    } catch (const EInOutError& error) {
        return QStringLiteral("Unexpected error in \"") + path + QStringLiteral("\" file: ") +
               error.Message();
    }
    return {};
}

QString TExportFormat::Load(const QString& name) {
    SetName(name);
    const QString path = ExistingExportFormatFile(FormatName);
    if (!IsShared())
        return ReadFromFile(path);
    QString error;
    if (FFileStamp.Read(path, [&] { error = ReadFromFile(path); }) == TSharedFileResult::NotLocked)
        return CannotLockText(path);
    return error;
}

// The stamp is renewed after a successful write, so that saving the same format twice is not
// taken for a change by another user.
QString TExportFormat::Save() {
    FSaveConflict = false;
    // The file that is really there, whatever the spelling of its name: writing another
    // spelling beside it would leave two files for one format.
    const QString path = ExistingExportFormatFile(FormatName);
    QString error;
    switch (FFileStamp.Write(path, [&] { error = WriteToFile(path); })) {
    case TSharedFileResult::NotLocked:
        return CannotLockText(path);
    case TSharedFileResult::ChangedByAnother:
        FSaveConflict = true;
        return QStringLiteral("Data for \"") + FormatName +
               QStringLiteral("\" has been changed by another user");
    case TSharedFileResult::Done:
        break;
    }
    if (error.isEmpty())
        error = TakeOwnSpelling(path);
    return error;
}

QString TExportFormat::TakeOwnSpelling(const QString& written) const {
    const QString wanted = ExportFormatFileName(FormatName);
    if (written != wanted && !QFile::rename(written, wanted))
        return QStringLiteral("Cannot rename \"") + written + QStringLiteral("\" to \"") + wanted +
               QLatin1Char('"');
    for (const QString& other : ExportFormatFilesOf(FormatName))
        if (other != wanted && !QFile::remove(other))
            return QStringLiteral("Cannot delete \"") + other + QLatin1Char('"');
    return {};
}
