#include "categories.h"

#include "storage/lists/listlines.h"

TCategories::TCategories(const QString& fileName) : TEntryList(fileName) {
    LoadFrom(fileName);
}

void TCategories::Reload() {
    *this = TCategories(FileName);
}

void TCategories::LoadFrom(const QString& fileName) {
    // Unlike the client reader, the line is split as read: a line of blanks gives an empty
    // category, which AddEntry ignores.
    for (const QString& line : ReadListFileLines(fileName)) {
        if (line.isEmpty())
            continue;
        const TListLine fields = SplitListLine(line);
        AddEntry(fields.Name, fields.SubName, ReadActiveFlag(fields.ActiveText));
    }
}

void TCategories::AddEntry(const QString& category, const QString& activity, bool active) {
    if (TCategory* entry = EntryFor(category))
        entry->AddActivity(activity, active);
}

void TCategories::MergeInto(TCategories& target) const {
    for (const TCategory& category : FItems)
        for (const TSubEntry<TActivityInfo>& activity : category.Activities())
            target.AddEntry(category.Name, activity.Name, activity.Info.Active);
}
