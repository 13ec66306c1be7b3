#pragma once

#include <vector>

#include <QHash>
#include <QString>

// What the client/project and the category/activity lists share: the entries in order of
// first appearance (names unique without regard to letter case), the file the list belongs
// to, the finds and the writing. Everything is held by value, so copies are deep.
template <typename TEntry> class TEntryList {
public:
    TEntryList() = default;
    explicit TEntryList(const QString& fileName) : FileName(fileName) {}

    // The file the list belongs to; empty for a list built in memory.
    QString FileName;

    const std::vector<TEntry>& Items() const { return FItems; }
    bool HasItems() const { return !FItems.empty(); }
    void Clear() {
        FItems.clear();
        FNameIndex.clear();
    }

    // Writes the whole list to FileName (to fileName) through a temporary file; raises
    // EInOutError when it cannot, leaving the old file intact.
    void Save() const;
    void SaveTo(const QString& fileName) const;
    // The file's text: every entry's lines in list order.
    QString FileText() const;

    // The index of the names is a cache and no part of the value.
    bool operator==(const TEntryList& other) const {
        return FileName == other.FileName && FItems == other.FItems;
    }

protected:
    // The entry called name (letter case ignored); none, when activeOnly and it is inactive.
    const TEntry* FindEntry(const QString& name, bool activeOnly) const;
    // The entry called name, provided it is active or activeOnly is false, when it has the
    // sub-entry subName (active, when activeOnly).
    const TEntry* FindEntryWith(const QString& name, const QString& subName, bool activeOnly) const;
    // The entry called name (made clean), appended when there is none; null for an empty name.
    TEntry* EntryFor(const QString& name);

    std::vector<TEntry> FItems;
    // Position of every entry by its case-folded name, so that reading a long list stays
    // linear; rebuilt when the entries were changed without it.
    QHash<QString, std::size_t> FNameIndex;
};
