#include "readmetables.h"

#include "commandlinedoc.h"
#include "textwrap.h"

#include <QRegularExpression>

#include <set>

namespace {
constexpr int Width = 100;
constexpr int CommentColumn = 44;
const QString Source = QStringLiteral("resources/manual/commandline.txt");

QString Backticked(const QString& text) {
    return QLatin1Char('`') + text + QLatin1Char('`');
}

QString SwitchTable(const TCommandLineDoc& doc) {
    QStringList out{QStringLiteral("| Switch | Meaning |"), QStringLiteral("|---|---|")};
    for (const TDocBlock* block : doc.OfKind(QStringLiteral("switch"))) {
        QStringList spellings;
        for (const QString& spelling : block->Head.split(QStringLiteral(", ")))
            spellings.append(Backticked(spelling));
        out.append(QStringLiteral("| ") + spellings.join(QStringLiteral(", ")) +
                   QStringLiteral(" | ") + block->Paragraphs.join(QLatin1Char(' ')) +
                   QStringLiteral(" |"));
    }
    return out.join(QLatin1Char('\n'));
}

void AddCommented(QStringList& out, QStringList lines, const QString& summary) {
    const QString comment = QStringLiteral("# ") + summary;
    if (lines.back().size() + 2 <= CommentColumn)
        lines.back() = lines.back().leftJustified(CommentColumn) + comment;
    else
        lines.append(QString(CommentColumn, QLatin1Char(' ')) + comment);
    out.append(lines);
}

QString CliSynopses(const TCommandLineDoc& doc) {
    // The first spelling of each switch: the table above shows the others.
    QString prefix = QStringLiteral("quillhour-cli ");
    for (const TDocBlock* block : doc.SwitchesOf(QStringLiteral("quillhour-cli")))
        prefix += QLatin1Char('[') + block->Head.section(QStringLiteral(", "), 0, 0) +
                  QStringLiteral("] ");
    QStringList out{QStringLiteral("```sh")};
    for (const TDocBlock* command : doc.OfKind(QStringLiteral("command"))) {
        const bool global = command->Word().startsWith(QLatin1String("--"));
        for (qsizetype i = 0; i < command->Synopses.size(); ++i) {
            const QString line = (global ? QStringLiteral("quillhour-cli ") : prefix) +
                                 command->Synopses.at(i);
            QStringList lines = WrapText(line, Width, QString(), QString(14, QLatin1Char(' ')));
            if (i + 1 == command->Synopses.size())
                AddCommented(out, lines, command->Summary);
            else
                out.append(lines);
        }
    }
    out.append(QStringLiteral("```"));
    return out.join(QLatin1Char('\n'));
}

QString ExitTable(const TCommandLineDoc& doc) {
    QStringList out{QStringLiteral("| Command | Exit status |"), QStringLiteral("|---|---|")};
    for (const TDocBlock* command : doc.OfKind(QStringLiteral("command")))
        out.append(QStringLiteral("| ") + Backticked(command->Word()) + QStringLiteral(" | ") +
                   JoinedExits(command->Exits) + QStringLiteral(" |"));
    for (const TDocBlock* exit : doc.OfKind(QStringLiteral("exit")))
        out.append(QStringLiteral("| ") + exit->Paragraphs.join(QLatin1Char(' ')).section(
                                              QLatin1Char(':'), 0, 0) +
                   QStringLiteral(" | ") + exit->Head + QLatin1Char(' ') +
                   exit->Paragraphs.join(QLatin1Char(' ')).section(QLatin1Char(':'), 1).trimmed() +
                   QStringLiteral(" |"));
    return out.join(QLatin1Char('\n'));
}

QString Replaced(const QString& readme, const QString& name, const QString& part,
                 QStringList& problems) {
    const QString start = QStringLiteral("<!-- made from ") + Source + QStringLiteral(": ") +
                          name + QStringLiteral(" -->\n");
    const QString end = QStringLiteral("<!-- end of ") + name + QStringLiteral(" -->");
    const qsizetype from = readme.indexOf(start);
    const qsizetype to = readme.indexOf(end, from < 0 ? 0 : from);
    if (from < 0 || to < 0) {
        problems.append(QStringLiteral("README.md has no part \"") + name + QLatin1Char('"'));
        return readme;
    }
    const qsizetype body = from + start.size();
    return readme.left(body) + part + QLatin1Char('\n') + readme.mid(to);
}
} // namespace

QString WithReadmeTables(const TCommandLineDoc& doc, const QString& readme, QStringList& problems) {
    QString out = Replaced(readme, QStringLiteral("switches"), SwitchTable(doc), problems);
    out = Replaced(out, QStringLiteral("commands"), CliSynopses(doc), problems);
    return Replaced(out, QStringLiteral("exit statuses"), ExitTable(doc), problems);
}

QStringList ReadmeNameProblems(const TCommandLineDoc& doc, const QString& readme,
                               const QString& programFolder) {
    QStringList problems;
    std::set<QString> variables;
    for (const TDocBlock* variable : doc.OfKind(QStringLiteral("environment")))
        variables.insert(variable->Head);
    for (const TDocBlock* block : doc.OfKind(QStringLiteral("file")) )
        if (const QString name = QString(block->Head).replace(QStringLiteral("{programfolder}"),
                                                             programFolder);
            !readme.contains(Backticked(name)))
            problems.append(QStringLiteral("README.md does not name the file `") + name +
                            QLatin1Char('`'));
    for (const QString& name : variables)
        if (!readme.contains(Backticked(name)) &&
            !readme.contains(Backticked(QLatin1Char('$') + name)))
            problems.append(QStringLiteral("README.md does not name the variable `") + name +
                            QLatin1Char('`'));
    // The section on the data location names no variable the text leaves out.
    const QString heading = QStringLiteral("## Where your data lives");
    const qsizetype from = readme.indexOf(heading);
    const QString section = from < 0 ? QString() : readme.mid(from, readme.indexOf(QStringLiteral("\n## "), from + 1) - from);
    static const QRegularExpression mentioned(QStringLiteral("`\\$?([A-Z][A-Z0-9_]{3,})`"));
    for (const QRegularExpressionMatch& match : mentioned.globalMatch(section))
        if (!variables.count(match.captured(1)))
            problems.append(QStringLiteral("README.md names the variable `") + match.captured(1) +
                            QStringLiteral("`, which ") + Source + QStringLiteral(" does not describe"));
    return problems;
}
