#include "exportformatfiles.h"

#include "base/datalocations.h"
#include "exportvocabulary.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString Prefix = QStringLiteral("ef-");
const QString Suffix = QStringLiteral(".txt");

QString FormatsFolder() {
    return ExportFormatsPath(Locations().UseLocalData);
}
} // namespace

QString ExportFormatFileName(const QString& name) {
    return FormatsFolder() + Prefix + name + Suffix;
}

QString FormatNameFromFileName(const QString& path) {
    const QString file = QFileInfo(path).fileName();
    if (file.size() < Prefix.size() + Suffix.size())
        return {};
    if (!SameAsciiText(file.left(Prefix.size()), Prefix) ||
        !SameAsciiText(file.right(Suffix.size()), Suffix))
        return {};
    return file.mid(Prefix.size(), file.size() - Prefix.size() - Suffix.size());
}

bool ListExportFormats(std::vector<TExportFormatEntry>& list, bool withObjects) {
    list.clear();
    const QDir folder(FormatsFolder());
    if (!folder.exists())
        return true; // no formats yet
    const QStringList files =
        folder.entryList({QStringLiteral("ef-*.txt")}, QDir::Files | QDir::Hidden | QDir::System,
                         QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        TExportFormatEntry entry{FormatNameFromFileName(file), nullptr};
        if (withObjects) {
            entry.Format = std::make_unique<TExportFormat>();
            entry.Format->Load(entry.Name);
        }
        list.push_back(std::move(entry));
    }
    return true;
}
