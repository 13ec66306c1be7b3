#pragma once

#include "storage/lists/listlines.h"

#include <cstddef>
#include <vector>

#include <QHash>
#include <QString>

// One sub-entry of a list entry: a project of a client or an activity of a category.
template <typename TInfo> struct TSubEntry {
    QString Name;
    TInfo Info;

    bool operator==(const TSubEntry&) const = default;
};

// A main entry of a two-level list (a client with its projects, a category with its
// activities). Sub-entry names are unique without regard to letter case and kept in order of
// addition. Everything is held by value, so copies are deep.
template <typename TInfo> class TListEntry {
public:
    using TEntries = std::vector<TSubEntry<TInfo>>;

    TListEntry() = default;
    explicit TListEntry(const QString& name) : Name(CleanListName(name)) {}

    QString Name;
    // True when at least one sub-entry is active; recomputed whenever one is added.
    bool Active = false;

    const TEntries& SubEntries() const { return FSubEntries; }
    // The sub-entry called name (letter case ignored); null when there is none.
    const TSubEntry<TInfo>* FindSubEntry(const QString& name) const {
        for (const TSubEntry<TInfo>& entry : FSubEntries)
            if (SameListName(entry.Name, name))
                return &entry;
        return nullptr;
    }
    bool HasSubEntry(const QString& name, bool activeOnly) const {
        const TSubEntry<TInfo>* entry = FindSubEntry(name);
        return entry && (!activeOnly || entry->Info.Active);
    }

    // The index of the names is a cache and no part of the value.
    bool operator==(const TListEntry& other) const {
        return Name == other.Name && Active == other.Active && FSubEntries == other.FSubEntries;
    }

protected:
    // Appends the sub-entry unless its name, made clean, is empty or taken already. The taken
    // names are found through their case-folded forms, so that reading a list with many
    // sub-entries of one entry stays linear.
    void AddSubEntry(const QString& name, const TInfo& info) {
        const QString clean = CleanListName(name);
        if (clean.isEmpty())
            return;
        if (static_cast<std::size_t>(FNameIndex.size()) != FSubEntries.size()) // assigned whole
            IndexNames();
        const QString key = clean.toCaseFolded();
        if (FNameIndex.contains(key))
            return;
        FNameIndex.insert(key, FSubEntries.size());
        FSubEntries.push_back({clean, info});
        Active = Active || info.Active;
    }

    void IndexNames() {
        FNameIndex.clear();
        for (std::size_t i = 0; i < FSubEntries.size(); ++i)
            FNameIndex.insert(FSubEntries[i].Name.toCaseFolded(), i);
    }

    void RecomputeActive() {
        Active = false;
        for (const TSubEntry<TInfo>& entry : FSubEntries)
            Active = Active || entry.Info.Active;
    }

    TEntries FSubEntries;
    QHash<QString, std::size_t> FNameIndex;
};
