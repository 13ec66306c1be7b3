#include "clicommands.h"

#include "app/configurationreport.h"
#include "app/datalocations.h"
#include "app/messages.h"
#include "cli/monthfilecheck.h"
#include "storage/inifile.h"
#include "storage/ioerror.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QLatin1String CrLf("\r\n");

// The command word: the first argument that is not a switch or a switch's folder.
QString CommandWord(const QStringList& args) {
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString lower = args.at(i).toLower();
        if (IsDataDirSwitch(lower)) {
            ++i;
            continue;
        }
        if (lower == QLatin1String("/multi") || lower == QLatin1String("/min"))
            continue;
        return args.at(i);
    }
    return {};
}

// Texts of the program end lines with CR LF; a terminal wants LF.
QString ForTerminal(QString text) {
    return text.replace(CrLf, QLatin1String("\n"));
}

int PrintLocations(QTextStream& out) {
    out << ForTerminal(DataLocationsText(true)) << "Mode: " << ModeName() << '\n';
    return 0;
}

int PrintConfiguration(QTextStream& out, QTextStream& err) {
    try {
        out << ForTerminal(ConfigurationReport());
    } catch (const EInOutError& error) {
        err << error.Text() << '\n';
        return 1;
    }
    return 0;
}
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

// A settings file that exists must be readable.
int CheckSettingsFile(const QString& fileName, std::vector<TDataProblem>& problems) {
    if (!QFileInfo::exists(fileName))
        return 0;
    try {
        TIniFile ini(fileName);
    } catch (const EInOutError& error) {
        problems.push_back({fileName, 0, error.Message()});
    }
    return 1;
}

int CheckData(QTextStream& out) {
    std::vector<TDataProblem> problems;
    int files = 0;
    for (const QString& folder : MonthFolders())
        files += CheckMonthFolder(folder, problems);
    files += CheckSettingsFile(PersonalSettingsFileName(), problems);
    if (AdminSettingsFileName() != PersonalSettingsFileName())
        files += CheckSettingsFile(AdminSettingsFileName(), problems);
    for (const TDataProblem& problem : problems) {
        out << problem.File;
        if (problem.Line > 0)
            out << ':' << problem.Line;
        out << ": " << problem.Message << '\n';
    }
    out << files << " files checked, " << problems.size() << " problems\n";
    return problems.empty() ? 0 : 1;
}
} // namespace

QString CliUsage() {
    return QStringLiteral(
        "Usage: quillhour-cli [--datadir DIR | /datadir DIR] COMMAND\n"
        "\n"
        "Commands:\n"
        "  locations   show the data locations and the mode\n"
        "  config      show the configuration report (locations, arguments, settings files)\n"
        "  check       read every month file (and, in a work group, every user's folder on the\n"
        "              server) and the settings files; print each problem as path:line: message;\n"
        "              exit status 1 when there is any; nothing is written\n"
        "  --help      show this text\n"
        "\n"
        "The data location is found exactly as the program finds it: APPDATA (or the XDG data\n"
        "home) with Brackwater/Quillhour/ appended, or the folder given with --datadir.\n");
}

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString command = CommandWord(args);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out << CliUsage();
        return 0;
    }
    if (command == QLatin1String("locations") || command == QLatin1String("config")) {
        ResolveDataLocations(TResolveMode::ReadOnly);
        return command == QLatin1String("locations") ? PrintLocations(out)
                                                     : PrintConfiguration(out, err);
    }
    if (command == QLatin1String("check")) {
        ResolveDataLocations(TResolveMode::ReadOnly);
        return CheckData(out);
    }
    if (!command.isEmpty())
        err << "Unknown command: " << command << '\n';
    err << CliUsage();
    return 2;
}
