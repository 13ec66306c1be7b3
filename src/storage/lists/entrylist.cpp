#include "entrylist.h"

#include "base/ioerror.h"
#include "base/textfile.h"
#include "storage/lists/category.h"
#include "storage/lists/client.h"
#include "storage/lists/listlines.h"

template <typename TEntry> void TEntryList<TEntry>::Save() const {
    if (FileName.isEmpty())
        throw EInOutError(QStringLiteral("The list has no file to be saved to"));
    SaveTo(FileName);
}

template <typename TEntry> void TEntryList<TEntry>::SaveTo(const QString& fileName) const {
    WriteTextFile(fileName, FileText());
}

template <typename TEntry> QString TEntryList<TEntry>::FileText() const {
    QString text;
    for (const TEntry& entry : FItems)
        entry.WriteLines(text);
    return text;
}

template <typename TEntry>
const TEntry* TEntryList<TEntry>::FindEntry(const QString& name, bool activeOnly) const {
    for (const TEntry& entry : FItems)
        if (SameListName(entry.Name, name))
            return !activeOnly || entry.Active ? &entry : nullptr;
    return nullptr;
}

template <typename TEntry>
const TEntry* TEntryList<TEntry>::FindEntryWith(const QString& name, const QString& subName,
                                                bool activeOnly) const {
    const TEntry* entry = FindEntry(name, activeOnly);
    return entry && entry->HasSubEntry(subName, activeOnly) ? entry : nullptr;
}

template <typename TEntry> TEntry* TEntryList<TEntry>::EntryFor(const QString& name) {
    const QString clean = CleanListName(name);
    if (clean.isEmpty())
        return nullptr;
    if (static_cast<std::size_t>(FNameIndex.size()) != FItems.size()) {
        FNameIndex.clear();
        for (std::size_t i = 0; i < FItems.size(); ++i)
            FNameIndex.insert(FItems[i].Name.toCaseFolded(), i);
    }
    const QString key = clean.toCaseFolded();
    if (const auto found = FNameIndex.constFind(key); found != FNameIndex.cend())
        return &FItems[found.value()];
    FNameIndex.insert(key, FItems.size());
    FItems.emplace_back(clean);
    return &FItems.back();
}

template class TEntryList<TClient>;
template class TEntryList<TCategory>;
