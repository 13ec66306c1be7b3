#include "datacheck.h"

#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/textutils.h"
#include "base/stalesaves.h"
#include "export/exportformat.h"
#include "listfilecheck.h"
#include "monthfilecheck.h"
#include "settingscheck.h"

#include <QDir>
#include <QFileInfo>

void TDataCheck::Add(const QString& fileName, int line, const QString& message) {
    FProblems.push_back({fileName, line, message});
}

void TDataCheck::CheckExportFormats() {
    bool useLocal = Locations().UseLocalData;
    const QString folder = ExportFormatsPath(useLocal);
    QStringList files;
    ListFiles(folder, QStringLiteral("ef-*.txt"), files);
    for (const QString& file : files) {
        ++FFilesChecked;
        if (HasControlCharacter(file))
            Add(folder + file, 0,
                QStringLiteral("the format name holds a control character; the program cannot "
                               "save a format of that name"));
        TExportFormat format;
        if (const QString error = format.ReadFromFile(folder + file); !error.isEmpty())
            Add(folder + file, 0, error);
    }
}

void TDataCheck::CheckListFiles() {
    ::CheckListFiles(FProblems, FFilesChecked);
}

namespace {
// The folders whose month files the check reads: the user's own and, with a server, every
// user's folder there.
QStringList MonthFolders() {
    QStringList folders{LocalDataPath()};
    if (Locations().ServerFolder.isEmpty())
        return folders;
    const QDir server(ServerDataPath());
    for (const QString& name : server.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        const QString folder = ServerDataPath() + name + QLatin1Char('/');
        if (QFileInfo(folder).canonicalFilePath() != QFileInfo(LocalDataPath()).canonicalFilePath())
            folders.append(folder);
    }
    return folders;
}
} // namespace

void TDataCheck::CheckMonthFiles() {
    for (const QString& folder : MonthFolders())
        FFilesChecked += CheckMonthFolder(folder, FProblems);
}

void TDataCheck::CheckSettingsFiles() {
    ::CheckSettingsFiles(FProblems, FFilesChecked);
}

void TDataCheck::CheckTemporaryFiles() {
    QStringList folders = MonthFolders();
    folders << Locations().LocalFolder << ExportFormatsPath(Locations().UseLocalData);
    if (!Locations().ServerFolder.isEmpty())
        folders << Locations().ServerFolder << ServerDataPath();
    folders.removeDuplicates();
    for (const QString& folder : folders)
        for (const QString& file : StaleTemporaryFiles(folder))
            Add(file, 0, QStringLiteral("a temporary file left by an interrupted save (the "
                                        "program removes it when it next starts)"));
}

void TDataCheck::RunAll() {
    CheckMonthFiles();
    CheckListFiles();
    CheckSettingsFiles();
    CheckExportFormats();
    CheckTemporaryFiles();
}
