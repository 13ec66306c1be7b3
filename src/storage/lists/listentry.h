#pragma once

#include "storage/lists/listlines.h"

#include <vector>

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

    bool operator==(const TListEntry&) const = default;

protected:
    // Appends the sub-entry unless its name, made clean, is empty or taken already.
    void AddSubEntry(const QString& name, const TInfo& info) {
        const QString clean = CleanListName(name);
        if (clean.isEmpty() || FindSubEntry(clean))
            return;
        FSubEntries.push_back({clean, info});
        RecomputeActive();
    }

    void RecomputeActive() {
        Active = false;
        for (const TSubEntry<TInfo>& entry : FSubEntries)
            Active = Active || entry.Info.Active;
    }

    TEntries FSubEntries;
};
