#pragma once

#include "storage/lists/category.h"
#include "storage/lists/entrylist.h"

#include <QString>

// The category/activity list: the administrator's list ("CategoryActivity.txt") or a user's
// in-use list ("InUse_CategoryActivity.txt"). Categories keep the order of their first
// appearance.
class TCategories : public TEntryList<TCategory> {
public:
    TCategories() = default;
    // An empty list belonging to fileName, filled from the file when it exists. An existing
    // file that cannot be read raises EInOutError.
    explicit TCategories(const QString& fileName);

    // Reads FileName again. When the file cannot be read the list stays as it was.
    void Reload();
    // Adds the file's lines with AddEntry; only lines that are empty as read are skipped and
    // entries already present stay as they are. A missing file adds nothing.
    void LoadFrom(const QString& fileName);

    // Adds the activity to the category (made clean; an empty category is ignored), creating
    // the category at the end when it is not there yet.
    void AddEntry(const QString& category, const QString& activity, bool active);
    // Adds every category and activity of this list to target, in order.
    void MergeInto(TCategories& target) const;

    const TCategory* FindCategory(const QString& name, bool activeOnly) const {
        return FindEntry(name, activeOnly);
    }
    const TCategory* FindCategoryActivity(const QString& category, const QString& activity,
                                          bool activeOnly) const {
        return FindEntryWith(category, activity, activeOnly);
    }
};
