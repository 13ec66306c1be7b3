#pragma once

#include "base/sharedfilestamp.h"
#include "exportitem.h"
#include "reporting/lineoptions.h"

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include <QString>
#include <QStringList>

// Everything SetHeader stores at once, as the format editor hands it over.
struct TExportHeader {
    QString Name;
    QString Description;
    QString OutputPath; // folder and file name of the output; empty for none
    bool Overtime = true;
    TCharging Charging = TCharging::IncludeAll;
    bool ActiveClientProjects = false;
    QString Project;
    QString Client;
    int Period = 0;
    int DelimiterReplace = '_';
    int Delimiter = '\t';
    bool SkipEmptyGroups = false;
    int BlankRows = 0;
    bool Headings = false;
};

// A named recipe for a delimited text export: the columns of its three areas, the order of
// the groups, the file settings and the defaults of an export run. Stored as "ef-" + name +
// ".txt" in the export formats folder. Copies are deep.
class TExportFormat {
public:
    using TItems = std::vector<std::unique_ptr<TExportItem>>;
    using TGroupOrder = std::array<TExportArea, 3>;
    // Loaded-file age of a format that was not loaded from a file.
    static constexpr std::int64_t NewFileAge = std::numeric_limits<std::int64_t>::max();

    TExportFormat();
    TExportFormat(const TExportFormat& other);
    TExportFormat& operator=(const TExportFormat& other);
    TExportFormat(TExportFormat&&) noexcept = default;
    TExportFormat& operator=(TExportFormat&&) noexcept = default;
    ~TExportFormat();

    std::unique_ptr<TExportFormat> Copy() const { return std::make_unique<TExportFormat>(*this); }

    // Takes the trimmed name when it is not blank and free of \ / : * ? " < > |.
    bool SetName(const QString& name);
    // Stores the header; an error text (nothing changed) for a blank or invalid name.
    QString SetHeader(const TExportHeader& header);
    // The next Save skips the check for changes by another user.
    void MarkNew() { FFileStamp.SetStamp(NewFileAge); }
    // The file's stamp when it was last loaded or saved under its lock; NewFileAge when new.
    std::int64_t LoadedFileAge() const { return FFileStamp.Stamp(); }

    // Reads the format of that name from its file, under the file's lock when the data is
    // shared; an error text, empty on success.
    QString Load(const QString& name);
    // Writes the format to its file. When the data is shared: under the file's lock, and only
    // when nobody else has written the file since it was loaded. An error text, empty on success.
    QString Save();
    // True when the last Save was refused because somebody else changed the file.
    bool LastSaveWasConflict() const { return FSaveConflict; }

    // Reading and writing the file's content, without locks.
    QString ReadFromFile(const QString& path);
    QString ReadFromText(const QString& text, const QString& path);
    QString WriteToFile(const QString& path) const;
    QString ToText() const;

    const TItems& Items(TExportArea area) const;
    int ItemCount() const;
    const TGroupOrder& GroupOrder() const { return FGroupOrder; }

    // The first column of area whose display name matches (ASCII letter case ignored).
    TExportItem* FindItem(const QString& displayName, TExportArea area) const;
    // Appends a column for a standard field unless its area holds one already.
    TExportItem* AddField(TExportField field);
    std::unique_ptr<TExportItem> NewUserDefinedColumn(TExportArea area) const;
    // Appends the column to its area's list, giving the area a group slot when it has none.
    TExportItem* AddItem(std::unique_ptr<TExportItem> item);
    void RemoveItem(const TExportItem* item);
    // Moves the column one place within its list; clamped to the list's ends.
    void MoveItem(const TExportItem* item, int step);
    void ClearItems();
    void SetGroupOrder(const QStringList& groupNames);

    QString FormatName;
    QString FormatDescription;
    int BlankRows = 0;
    bool SkipEmptyGroups = false;
    int Period = 0;
    bool Headings = false;
    int Delimiter = '\t';
    int DelimiterReplace = '_';
    QStringList Users;
    QString Client;
    QString Project;
    bool ActiveClientProjects = false;
    TCharging Charging = TCharging::IncludeAll;
    bool Overtime = true;
    QString FileDir;
    QString FileName;

private:
    TItems& ItemsOf(TExportArea area);
    void EnsureGroupSlot(TExportArea area);
    QString ReadSections(const class TIniFile& ini);
    QString ReadField(const TIniFile& ini, int n, TExportArea& previousArea);
    void ResetAfterFailure();
    std::vector<TExportArea> WrittenAreaOrder() const;
    // Gives the file just written the spelling of the format's name and removes any other
    // spelling of it; an error text, empty when all went well.
    QString TakeOwnSpelling(const QString& written) const;

    std::array<TItems, 3> FItems; // Client, Category, Data
    TGroupOrder FGroupOrder{};
    TSharedFileStamp FFileStamp;
    bool FSaveConflict = false;
};

// Reads a stored number: decimal, or hexadecimal after "$" or "0x"; leading blanks allowed,
// nothing after the number. False when the text is not such a number.
bool ParseStoredInteger(const QString& text, int& value);
