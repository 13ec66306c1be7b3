#include "exportformatfiles.h"

#include "base/datalocations.h"
#include "exportvocabulary.h"

#include <QDir>
#include <QFile>
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

QStringList ExportFormatFilesOf(const QString& name) {
    QStringList files;
    const QDir folder(FormatsFolder());
    // A folder of such a name is in the format file's way too.
    for (const QString& file : folder.entryList(
             {QStringLiteral("ef-*.txt")},
             QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
             QDir::Name))
        if (FormatNameFromFileName(file).compare(name, Qt::CaseInsensitive) == 0)
            files.append(folder.filePath(file));
    return files;
}

QString ExistingExportFormatFile(const QString& name) {
    const QString exact = ExportFormatFileName(name);
    if (QFileInfo::exists(exact))
        return exact;
    const QStringList files = ExportFormatFilesOf(name);
    return files.isEmpty() ? exact : files.front();
}

QStringList RemoveExportFormatFiles(const QString& name) {
    QStringList failed;
    for (const QString& file : ExportFormatFilesOf(name))
        if (!QFile::remove(file))
            failed.append(file);
    return failed;
}

bool ListExportFormats(std::vector<TExportFormatEntry>& list, bool withObjects) {
    list.clear();
    const QDir folder(FormatsFolder());
    if (!folder.exists())
        return true; // no formats yet
    const QStringList files =
        folder.entryList({QStringLiteral("ef-*.txt")}, QDir::Files | QDir::Hidden | QDir::System,
                         QDir::Name | QDir::IgnoreCase);
    QStringList seen;
    for (const QString& file : files) {
        TExportFormatEntry entry{FormatNameFromFileName(file), nullptr, {}};
        // Two spellings of one name (left by an older version) are one format.
        if (seen.contains(entry.Name, Qt::CaseInsensitive))
            continue;
        seen.append(entry.Name);
        if (withObjects) {
            entry.Format = std::make_unique<TExportFormat>();
            entry.LoadError = entry.Format->Load(entry.Name);
        }
        list.push_back(std::move(entry));
    }
    return true;
}
