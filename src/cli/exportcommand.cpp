#include "exportcommand.h"

#include "base/datalocations.h"
#include "cliarguments.h"
#include "base/fileutils.h"
#include "export/exportengine.h"
#include "export/exportformatfiles.h"
#include "settingsreadonly.h"
#include "userlist.h"

#include <QFileInfo>

namespace {
struct TExportRequest {
    QString FormatName;
    QDate From;
    QDate To;
    QStringList Users;
    bool AllUsers = false;
    QString Output;
};

// Fills request from the words after "export"; false (with the reason on err) when they are
// not usable. The data location switches have been dealt with already and are skipped.
bool ParseRequest(const QStringList& args, TExportRequest& request, QTextStream& err) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& word = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (IsDataDirSwitch(word) && hasValue) {
            ++i;
        } else if (word == QLatin1String("--from") && hasValue) {
            if (!ReadIsoDate(args.at(++i), request.From, err))
                return false;
        } else if (word == QLatin1String("--to") && hasValue) {
            if (!ReadIsoDate(args.at(++i), request.To, err))
                return false;
        } else if (word == QLatin1String("--users") && hasValue) {
            request.Users = args.at(++i).split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else if (word == QLatin1String("--all-users")) {
            request.AllUsers = true;
        } else if (word == QLatin1String("--output") && hasValue) {
            request.Output = args.at(++i);
        } else if (word.startsWith(QLatin1String("--")) || !request.FormatName.isEmpty()) {
            err << "Unexpected argument: " << word << '\n';
            return false;
        } else {
            request.FormatName = word;
        }
    }
    if (request.FormatName.isEmpty()) {
        err << "Name the export format to run.\n";
        return false;
    }
    if (!CheckPeriodAndUsers(request.From, request.To, request.AllUsers, !request.Users.isEmpty(),
                             err))
        return false;
    return true;
}

QString AvailableFormats() {
    std::vector<TExportFormatEntry> list;
    ListExportFormats(list, false);
    QStringList names;
    for (const TExportFormatEntry& entry : list)
        names.append(entry.Name);
    return names.isEmpty() ? QStringLiteral("(none)") : names.join(QStringLiteral(", "));
}

QStringList ExportUsers(const TExportRequest& request, const TExportFormat& format) {
    if (request.AllUsers)
        return ServerUserNames();
    if (!request.Users.isEmpty())
        return request.Users;
    if (!format.Users.isEmpty())
        return format.Users;
    return {CurrentUserName()};
}

// The run window's checks of the output file before it exports: a name is needed, and one
// that can be created.
QString FileNameError(const TExportFormat& format) {
    if (format.FileName.trimmed().isEmpty())
        return QStringLiteral("Please enter a file name");
    const QString path = format.FileDir + format.FileName;
    if (!CanCreateFile(path))
        return QLatin1Char('"') + path + QStringLiteral("\" is not a valid file name");
    return {};
}
} // namespace

int RunExportCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    TExportRequest request;
    if (!ParseRequest(args, request, err))
        return 2;
    LoadSettingsReadOnly();
    TExportFormat format;
    const QString fileName = ExportFormatFileName(request.FormatName);
    if (!QFileInfo::exists(fileName)) {
        err << "There is no export format \"" << request.FormatName
            << "\". Available formats: " << AvailableFormats() << '\n';
        return 2;
    }
    // Under the file's lock when the data is shared, as the export run window reads it.
    if (const QString error = format.Load(request.FormatName); !error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    format.Users = ExportUsers(request, format);
    if (!request.Output.isEmpty()) {
        const QFileInfo output(request.Output);
        format.FileDir = output.absolutePath() + QLatin1Char('/');
        format.FileName = output.fileName();
    }
    if (const QString error = FileNameError(format); !error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    const QString path = format.FileDir + format.FileName;
    const bool replacing = QFileInfo::exists(path);
    if (const QString error = ExportData(format, request.From, request.To); !error.isEmpty()) {
        err << error << '\n';
        return 1;
    }
    if (replacing)
        err << "Replaced the existing file " << path << '\n';
    out << path << '\n';
    return 0;
}
