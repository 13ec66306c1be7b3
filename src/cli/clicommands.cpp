#include "clicommands.h"

#include "base/configurationreport.h"
#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "cli/clihelptext.h"
#include "cliscanprogress.h"
#include "copycommand.h"
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

// The text is made from resources/manual/commandline.txt, as the manual pages are.
QString CliUsage() {
    return QString::fromUtf8(CliHelpText);
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
        {QStringLiteral("copy"), RunCopyCommand},
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
