#include "clicommands.h"

#include "base/configurationreport.h"
#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "cliscanprogress.h"
#include "datacheck.h"
#include "exportcommand.h"
#include "reportcommand.h"
#include "sampledatacommand.h"
#include "searchcommand.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/server/serverdatascan.h"

#include <functional>
#include <map>

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
int RunCheck(QTextStream& out) {
    TDataCheck check;
    check.RunAll();
    for (const TCheckProblem& problem : check.Problems()) {
        out << problem.FileName;
        if (problem.Line > 0)
            out << ':' << problem.Line;
        out << ": " << problem.Message << '\n';
    }
    out << check.FilesChecked() << " files checked, " << check.Problems().size() << " problems\n";
    return check.Problems().empty() ? 0 : 1;
}

// One line per user found on the server: the name, a tab and the latest entry. Users whose
// in-use lists are missing are read in full, but nothing is written to their folders.
int ListUsers(QTextStream& out, QTextStream& err) {
    if (IsWorkGroup() && !QFileInfo(ServerDataPath()).isDir()) {
        err << "Server path \"" << Locations().ServerFolder << "\" does not exist.\n";
        return 1;
    }
    const TClients noOwnClients;
    const TCategories noOwnCategories;
    TCliScanProgress progress(err);
    TServerDataScan scan(noOwnClients, noOwnCategories, &progress);
    scan.WriteInUseFiles = false;
    TServerUsers users;
    TClients clients;
    TCategories categories;
    try {
        scan.Run(users, clients, categories);
    } catch (const EInOutError& error) {
        err << error.Text() << '\n';
        return 1;
    }
    for (const TServerUser& user : users)
        out << user.Name() << '\t'
            << user.LastEntryMoment().ToDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
            << '\n';
    return 0;
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
        "              server), the lists, the settings and the export formats as the program\n"
        "              does; print each problem as path:line: message; exit status 1 when there\n"
        "              is any; nothing is written\n"
        "  users       list the users of the work group that have time data on the server, one\n"
        "              line each: the user name, a tab and the latest entry (yyyy-MM-dd HH:mm);\n"
        "              nothing outside Work Group mode; exit status 1 when the server's data\n"
        "              folder is missing or a month file cannot be read; nothing is written,\n"
        "              not even the in-use lists of users that have none yet (their month\n"
        "              files are read in full instead)\n"
        "  export NAME [--from YYYY-MM-DD --to YYYY-MM-DD] [--users NAME,NAME | --all-users]\n"
        "              [--output FILE]\n"
        "              run the export format NAME as the export window would: the format's\n"
        "              default period unless dates are given; the given users, every user on\n"
        "              the server, or else the format's own users (the current user when it has\n"
        "              none); the format's output file unless --output is given. Prints the\n"
        "              path written; exit status 1 on an export error, 2 for an unknown format\n"
        "  search [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--where \"FILTER\"]\n"
        "         [--and|--or --where \"FILTER\"] [--limit N]\n"
        "              find the current user's time entries as the search panel does. FILTER\n"
        "              is a filter type, an operator and a value, for example \"client like\n"
        "              acme\", \"duration > 1.5\", \"report = no\", \"charge type = hourly rate\",\n"
        "              \"rate amount <= 50\". Prints one line per entry (date, start, end,\n"
        "              client, project, category, activity, remarks, tab-separated) and the\n"
        "              count on standard error; the limit is 1000 unless given. Exit status 0\n"
        "              when something matched, 1 when nothing did, 2 for a usage error\n"
        "  report daily|activity|overtime [--billing] [--letter]\n"
        "         [--from YYYY-MM-DD --to YYYY-MM-DD] [--users a,b | --all-users]\n"
        "         [--client NAME [--project NAME]] [--charging all|chargeable|not-chargeable]\n"
        "         [--no-overtime (not overtime)] [--remarks] [--text FILE] [--pdf FILE]\n"
        "  report weekly [--letter] [--from YYYY-MM-DD] [--users a,b | --all-users]\n"
        "         [--client NAME [--project NAME]] [--text FILE] [--pdf FILE]\n"
        "              a report as the report window would make it (the current month unless\n"
        "              dates are given; for weekly the week holding --from or today): its\n"
        "              text to FILE (or standard output) and its pages as PDF. Exit status 1\n"
        "              when there is nothing to report\n"
        "  sample-data [--months M] [--work-group [--users N]]\n"
        "              fill an empty data location with sample data to try the program on: the\n"
        "              last M months up to today (3 unless given) of one user, the client/\n"
        "              project and category/activity lists and two export formats; with\n"
        "              --work-group also a server folder (\"Server\" inside the location) with N\n"
        "              users (5 unless given) that the location's settings point at. Refuses a\n"
        "              location that already holds time data or any of these files; exit status\n"
        "              1 then, 2 for a usage error\n"
        "  --help      show this text\n"
        "\n"
        "The data location is found exactly as the program finds it: APPDATA (or the XDG data\n"
        "home) with Brackwater/Quillhour/ appended, or the folder given with --datadir.\n");
}

namespace {
using TCommand = std::function<int(const QStringList& rest, QTextStream& out, QTextStream& err)>;

// The commands that work on the data location, by their word.
const std::map<QString, TCommand>& DataCommands() {
    static const std::map<QString, TCommand> commands{
        {QStringLiteral("locations"),
         [](const QStringList&, QTextStream& out, QTextStream&) { return PrintLocations(out); }},
        {QStringLiteral("config"), [](const QStringList&, QTextStream& out,
                                      QTextStream& err) { return PrintConfiguration(out, err); }},
        {QStringLiteral("check"),
         [](const QStringList&, QTextStream& out, QTextStream&) { return RunCheck(out); }},
        {QStringLiteral("users"), [](const QStringList&, QTextStream& out,
                                     QTextStream& err) { return ListUsers(out, err); }},
        {QStringLiteral("export"), RunExportCommand},
        {QStringLiteral("search"), RunSearchCommand},
        {QStringLiteral("report"), RunReportCommand},
        {QStringLiteral("sample-data"), RunSampleDataCommand},
    };
    return commands;
}
} // namespace

int RunCli(const QStringList& args, QTextStream& out, QTextStream& err) {
    const QString command = CommandWord(args);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        out << CliUsage();
        return 0;
    }
    const auto found = DataCommands().find(command);
    if (found != DataCommands().end()) {
        ResolveDataLocations(TResolveMode::ReadOnly);
        const qsizetype at = args.indexOf(command, 1);
        return found->second(args.mid(at + 1), out, err);
    }
    if (!command.isEmpty())
        err << "Unknown command: " << command << '\n';
    err << CliUsage();
    return 2;
}
