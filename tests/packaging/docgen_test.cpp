#include "cli/clicommands.h"
#include "commandlinedoc.h"
#include "completionwords.h"
#include "helptext.h"
#include "manpage.h"
#include "readmetables.h"
#include "textwrap.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
const QString SmallText = QStringLiteral(
    "@program quillhour-cli\n"
    "> the tool\n"
    "It works.\n"
    "@switch --datadir FOLDER, /datadir FOLDER\n"
    "* quillhour-cli\n"
    "use FOLDER\n"
    "@command export NAME [--from YYYY-MM-DD] [--users NAME,NAME] [--output FILE]\n"
    "> run a format\n"
    "run the export format NAME\n"
    "- --from YYYY-MM-DD: the first day\n"
    "- --users NAME,NAME: the users\n"
    "- --output FILE: the file\n"
    "= 0: written\n"
    "= 2: unknown\n"
    "@command report daily|activity [--charging all|chargeable]\n"
    "+ report weekly\n"
    "> a report\n"
    "make a report\n"
    "- --charging all|chargeable: which time\n"
    "= 0: made\n"
    "@environment APPDATA\n"
    "the folder\n"
    "@file {programfolder}\n"
    "the program folder\n");

TCommandLineDoc Parsed(const QString& text) {
    TCommandLineDoc doc;
    QString error;
    EXPECT_TRUE(doc.Parse(text, QStringLiteral("t.txt"), error)) << error.toStdString();
    return doc;
}

QString ParseError(const QString& text) {
    TCommandLineDoc doc;
    QString error;
    EXPECT_FALSE(doc.Parse(text, QStringLiteral("t.txt"), error));
    return error;
}

TCommandLineDoc RealText() {
    TCommandLineDoc doc;
    QString error;
    EXPECT_TRUE(doc.Read(QStringLiteral(QH_COMMAND_LINE_TEXT), error)) << error.toStdString();
    return doc;
}
} // namespace

TEST(CommandLineText, BlocksSummariesOptionsAndExits) {
    const TCommandLineDoc doc = Parsed(SmallText);
    const TDocBlock* report = doc.Find(QStringLiteral("command"), QStringLiteral("report"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->Synopses.size(), 2);
    EXPECT_EQ(report->Summary, QStringLiteral("a report"));
    const TDocBlock* exportCommand = doc.Find(QStringLiteral("command"), QStringLiteral("export"));
    ASSERT_NE(exportCommand, nullptr);
    ASSERT_EQ(exportCommand->Exits.size(), 2u);
    EXPECT_EQ(exportCommand->Exits.at(1).Term, QStringLiteral("2"));
    EXPECT_EQ(exportCommand->Options.at(1).Term, QStringLiteral("--users NAME,NAME"));
    EXPECT_EQ(doc.SwitchesOf(QStringLiteral("quillhour-cli")).size(), 1u);
}

TEST(CommandLineText, OptionsMustBeThoseOfTheSynopsis) {
    QString undescribed = SmallText;
    undescribed.replace(QStringLiteral("- --output FILE: the file\n"), QString());
    EXPECT_TRUE(ParseError(undescribed).startsWith(QStringLiteral("t.txt:7: the options")));
    QString unknown = SmallText;
    unknown.replace(QStringLiteral("- --output FILE: the file\n"),
                    QStringLiteral("- --output FILE: the file\n- --to YYYY-MM-DD: the last day\n"));
    EXPECT_TRUE(ParseError(unknown).startsWith(QStringLiteral("t.txt:7: the options")));
    EXPECT_EQ(ParseError(SmallText + QStringLiteral("@command check\n> check\ncheck it\n")),
              QStringLiteral("t.txt:25: a command needs a summary, a description and exit "
                             "statuses"));
}

TEST(CommandLineText, MalformedLinesNameTheirLine) {
    EXPECT_EQ(ParseError(QStringLiteral("@command x\n> s\n- --y no colon\n")),
              QStringLiteral("t.txt:3: an item needs \"TERM: text\""));
    EXPECT_EQ(ParseError(QStringLiteral("# c\n@commands x\n")),
              QStringLiteral("t.txt:2: unknown block \"@commands x\""));
    EXPECT_EQ(ParseError(QStringLiteral("stray\n")), QStringLiteral("t.txt:1: text before any block"));
}

TEST(CommandLineText, WrappingKeepsLinesShortAndGroupsWhole) {
    const QStringList lines = WrapText(
        QStringLiteral("report daily [--from YYYY-MM-DD --to YYYY-MM-DD] [--users NAME,NAME]"), 50,
        QStringLiteral("  "), QStringLiteral("       "));
    EXPECT_EQ(lines, QStringList({QStringLiteral("  report daily [--from YYYY-MM-DD --to YYYY-MM-DD]"),
                                  QStringLiteral("       [--users NAME,NAME]")}));
    // A group longer than the line is broken between its words.
    const QStringList narrow = WrapText(
        QStringLiteral("report daily [--from YYYY-MM-DD --to YYYY-MM-DD]"), 24, QString(),
        QStringLiteral("  "));
    EXPECT_EQ(narrow, QStringList({QStringLiteral("report daily"),
                                   QStringLiteral("  [--from YYYY-MM-DD"),
                                   QStringLiteral("  --to YYYY-MM-DD]")}));
    EXPECT_EQ(Sentence(QStringLiteral("show it (briefly)")), QStringLiteral("Show it (briefly)."));
}

TEST(CommandLineText, TheProgramsHelpIsTheTextAndFitsATerminal) {
    const TCommandLineDoc doc = RealText();
    const QString help = RenderHelpText(doc);
    EXPECT_EQ(CliUsage(), help);
    for (const QString& line : help.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), 80) << line.toStdString();
    for (const TDocBlock* command : doc.OfKind(QStringLiteral("command"))) {
        EXPECT_TRUE(help.contains(QStringLiteral("\n  ") + command->Synopses.front().left(30)))
            << command->Word().toStdString();
        for (const TDocItem& option : command->Options)
            EXPECT_TRUE(help.contains(option.Term)) << option.Term.toStdString();
    }
}

// Every command of the text is one the tool knows, and a word that is none is refused.
TEST(CommandLineText, TheToolKnowsEveryCommandOfTheText) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const auto run = [&](const QString& command) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("APPDATA"), home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(QH_CLI_PROGRAM),
                      {QStringLiteral("--datadir"), home.filePath(QStringLiteral("data")), command,
                       QStringLiteral("--no-such-option")});
        EXPECT_TRUE(process.waitForFinished(60000));
        return QString::fromUtf8(process.readAllStandardError());
    };
    const TCommandLineDoc doc = RealText();
    for (const TDocBlock* command : doc.OfKind(QStringLiteral("command")))
        EXPECT_FALSE(run(command->Word()).startsWith(QStringLiteral("Unknown command")))
            << command->Word().toStdString();
    EXPECT_TRUE(run(QStringLiteral("frobnicate")).startsWith(QStringLiteral("Unknown command")));
}

TEST(CommandLineText, RoffTextEscapesAndSetsOptions) {
    EXPECT_EQ(RoffText(QStringLiteral(".hidden a\\b, see --no-overtime")),
              QStringLiteral("\\&.hidden a\\eb, see \\fB\\-\\-no\\-overtime\\fR"));
    EXPECT_EQ(RoffText(QStringLiteral("client/project and not-chargeable")),
              QStringLiteral("client/project and not-chargeable"));
}

TEST(CommandLineText, ManualPageHasEverySection) {
    const QString page = RenderManPage(Parsed(SmallText), {QStringLiteral("quillhour-cli"),
                                                           QStringLiteral("1.2"),
                                                           QStringLiteral("2026-01-02"),
                                                           QStringLiteral("/usr/lib/quillhour/")});
    EXPECT_TRUE(page.startsWith(
        QStringLiteral(".TH QUILLHOUR\\-CLI 1 \"2026-01-02\" \"Quillhour 1.2\" \"User Commands\"")));
    for (const char* section : {".SH NAME", ".SH SYNOPSIS", ".SH DESCRIPTION", ".SH OPTIONS",
                                ".SH COMMANDS", ".SH \"EXIT STATUS\"", ".SH ENVIRONMENT",
                                ".SH FILES", ".SH \"SEE ALSO\""})
        EXPECT_TRUE(page.contains(QLatin1String(section))) << section;
    EXPECT_TRUE(page.contains(QStringLiteral("\\fB\\-\\-charging\\fR \\fBall\\fR|\\fBchargeable\\fR")));
    EXPECT_TRUE(page.contains(QStringLiteral("\\fI/usr/lib/quillhour/\\fR")));
    EXPECT_FALSE(page.contains(QStringLiteral("{programfolder}")));
}

TEST(CommandLineText, CompletionKnowsWhatFollowsEachOption) {
    const QString words = RenderCompletionWords(Parsed(SmallText));
    EXPECT_TRUE(words.contains(QStringLiteral("_quillhour_cli_commands='export report'")));
    EXPECT_TRUE(words.contains(QStringLiteral("_quillhour_cli_switches='--datadir /datadir'")));
    EXPECT_TRUE(words.contains(QStringLiteral("'export --output') echo 'file' ;;")));
    EXPECT_TRUE(words.contains(QStringLiteral("'export --users') echo 'users' ;;")));
    EXPECT_TRUE(words.contains(QStringLiteral("'export --from') echo 'text' ;;")));
    EXPECT_TRUE(words.contains(QStringLiteral("'report --charging') echo 'choices all chargeable' ;;")));
    EXPECT_TRUE(words.contains(QStringLiteral("export) echo 'value NAME' ;;")));
    EXPECT_TRUE(words.contains(QStringLiteral("report) echo 'choices daily activity weekly' ;;")));
}

TEST(CommandLineText, ReadmeTablesAreMadeAnewAndChecked) {
    const TCommandLineDoc doc = Parsed(SmallText);
    const QString start = QStringLiteral("<!-- made from resources/manual/commandline.txt: ");
    const QString readme = QStringLiteral("# R\n") + start + QStringLiteral("switches -->\nold\n"
                                                                            "<!-- end of switches -->\ntail `APPDATA` `/usr/lib/quillhour/`\n");
    QStringList problems;
    const QString made = WithReadmeTables(doc, readme, problems);
    EXPECT_TRUE(made.contains(QStringLiteral(
        "| Switch | Meaning |\n|---|---|\n| `--datadir FOLDER`, `/datadir FOLDER` | use FOLDER |\n"
        "<!-- end of switches -->\ntail")));
    EXPECT_EQ(problems, QStringList({QStringLiteral("README.md has no part \"commands\""),
                                     QStringLiteral("README.md has no part \"exit statuses\"")}));
    EXPECT_TRUE(ReadmeNameProblems(doc, made, QStringLiteral("/usr/lib/quillhour/")).isEmpty());
    EXPECT_EQ(ReadmeNameProblems(doc, QStringLiteral("## Where your data lives\n`XDG_CACHE_HOME`\n"),
                                 QStringLiteral("/usr/lib/quillhour/")),
              QStringList({QStringLiteral("README.md does not name the file `/usr/lib/quillhour/`"),
                           QStringLiteral("README.md does not name the variable `APPDATA`"),
                           QStringLiteral("README.md names the variable `XDG_CACHE_HOME`, which "
                                          "resources/manual/commandline.txt does not describe")}));
}
