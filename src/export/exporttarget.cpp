#include "exporttarget.h"

#include "base/atomicfile.h"
#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/lockfile.h"
#include "export/exportformat.h"
#include "export/exportformatfiles.h"
#include "storage/months/monthfile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
// The folder as the file system names it, so that links and ".." lead to one spelling.
QString CanonicalFolder(const QString& folder) {
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    return canonical.isEmpty() ? QString() : WithTrailingSeparator(canonical);
}

// The folders that hold the program's data: the data location with its data and export
// format folders and, in a work group, the server folder, its data and export format folders
// and every user's backup folder.
QStringList DataFolders() {
    QStringList folders{Locations().LocalFolder, LocalDataPath(), LocalExportFormatsPath()};
    if (!Locations().ServerFolder.isEmpty()) {
        const QString serverData = ServerDataPath();
        folders << Locations().ServerFolder << serverData << serverData + ExportFormatsFolderName;
        for (const QString& user : QDir(serverData).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            folders << WithTrailingSeparator(serverData) + user;
    }
    QStringList canonical;
    for (const QString& folder : folders)
        if (const QString name = CanonicalFolder(folder); !name.isEmpty())
            canonical << name;
    return canonical;
}

bool IsOwnFileName(const QString& name) {
    static const QStringList listNames{ClientListFileName, CategoryListFileName,
                                       InUseClientListFileName, InUseCategoryListFileName,
                                       SettingsFileName, InfoFileName};
    for (const QString& own : listNames)
        if (name.compare(own, Qt::CaseInsensitive) == 0)
            return true;
    return IsMonthFileName(name) || !FormatNameFromFileName(name).isEmpty() ||
           name.endsWith(LockFileNameOf(QString()), Qt::CaseInsensitive) ||
           name.startsWith(TemporarySavePrefix);
}

bool ClimbsOut(const QString& fileName) {
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    return fileName.split(separators).contains(QStringLiteral(".."));
}
} // namespace

bool IsProgramDataFile(const QString& path) {
    const QFileInfo info(path);
    if (!IsOwnFileName(info.fileName()))
        return false;
    const QString folder = CanonicalFolder(info.absolutePath());
    return !folder.isEmpty() && DataFolders().contains(folder);
}

QString ExportTargetError(const TExportFormat& format) {
    if (ClimbsOut(format.FileName))
        return QStringLiteral("The file name of export format \"") + format.FormatName +
               QStringLiteral("\" leads out of its folder: \"") + format.FileName +
               QLatin1Char('"');
    const QString path = format.FileDir + format.FileName;
    if (IsProgramDataFile(path))
        return QLatin1Char('"') + QFileInfo(path).absoluteFilePath() +
               QStringLiteral("\" is one of Quillhour's own data files; an export may not "
                              "replace it. Choose another file name.");
    return {};
}
