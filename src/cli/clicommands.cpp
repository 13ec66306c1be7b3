#include "clicommands.h"

#include "app/configurationreport.h"
#include "app/datalocations.h"
#include "app/messages.h"
#include "datacheck.h"
#include "storage/ioerror.h"

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
    if (command == QLatin1String("locations") || command == QLatin1String("config") ||
        command == QLatin1String("check")) {
        ResolveDataLocations(TResolveMode::ReadOnly);
        if (command == QLatin1String("check"))
            return RunCheck(out);
        return command == QLatin1String("locations") ? PrintLocations(out)
                                                     : PrintConfiguration(out, err);
    }
    if (!command.isEmpty())
        err << "Unknown command: " << command << '\n';
    err << CliUsage();
    return 2;
}
