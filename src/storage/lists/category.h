#pragma once

#include "storage/lists/activityinfo.h"
#include "storage/lists/listentry.h"

#include <QMetaType>
#include <QString>

// A category with its activities, as the category/activity lists keep it.
class TCategory : public TListEntry<TActivityInfo> {
public:
    TCategory() = default;
    // No activities, inactive.
    explicit TCategory(const QString& name) : TListEntry(name) {}

    // Same name; with activities, every activity with its active flag (and Active
    // recomputed); without, no activities and the same Active.
    static TCategory CreateCopy(const TCategory& other, bool withActivities);

    const TEntries& Activities() const { return SubEntries(); }

    // Ignored when the trimmed name is empty or the activity exists (letter case ignored).
    void AddActivity(const QString& name, bool active);
    bool HasActivity(const QString& name, bool activeOnly) const {
        return HasSubEntry(name, activeOnly);
    }

    // Appends the file lines of this category, one per activity.
    void WriteLines(QString& text) const;
};

// Held by value in the nodes of the list trees.
Q_DECLARE_METATYPE(TCategory)
