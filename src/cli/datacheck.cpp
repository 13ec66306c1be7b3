#include "datacheck.h"

#include "app/datalocations.h"
#include "app/fileutils.h"
#include "export/exportformat.h"
#include "listfilecheck.h"

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
        TExportFormat format;
        if (const QString error = format.ReadFromFile(folder + file); !error.isEmpty())
            Add(folder + file, 0, error);
    }
}

void TDataCheck::CheckListFiles() { ::CheckListFiles(FProblems, FFilesChecked); }

void TDataCheck::RunAll() {
    CheckListFiles();
    CheckExportFormats();
}
