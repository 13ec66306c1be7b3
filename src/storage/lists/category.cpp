#include "category.h"

TCategory TCategory::CreateCopy(const TCategory& other, bool withActivities) {
    TCategory copy(other.Name);
    if (withActivities) {
        copy.FSubEntries = other.FSubEntries;
        copy.RecomputeActive();
    } else {
        copy.Active = other.Active;
    }
    return copy;
}

void TCategory::AddActivity(const QString& name, bool active) {
    AddSubEntry(name, TActivityInfo(active));
}

void TCategory::WriteLines(QString& text) const {
    for (const TSubEntry<TActivityInfo>& activity : Activities())
        text += ListLineText(Name, activity.Name, activity.Info.Active);
}
