#include "manpage.h"

#include "commandlinedoc.h"
#include "helptext.h"
#include "textwrap.h"

#include <QRegularExpression>

namespace {
const QString Cli = QStringLiteral("quillhour-cli");

QString Escaped(QString text) {
    text.replace(QLatin1Char('\\'), QStringLiteral("\\e"));
    return text;
}

// An option or switch word: bold, its dashes as minus signs.
QString Bold(const QString& word) {
    return QStringLiteral("\\fB") + Escaped(word).replace(QLatin1Char('-'), QStringLiteral("\\-")) +
           QStringLiteral("\\fR");
}

QString Italic(const QString& word) {
    return QStringLiteral("\\fI") + Escaped(word).replace(QLatin1Char('-'), QStringLiteral("\\-")) +
           QStringLiteral("\\fR");
}

// A synopsis: option words and literal words bold, the words that stand for a value italic.
QString SynopsisRoff(const QString& synopsis) {
    static const QRegularExpression word(QStringLiteral("[^\\s\\[\\]|]+"));
    static const QRegularExpression lower(QStringLiteral("[a-z]"));
    QString out;
    qsizetype at = 0;
    for (const QRegularExpressionMatch& match : word.globalMatch(synopsis)) {
        out += synopsis.mid(at, match.capturedStart() - at);
        const QString text = match.captured();
        out += text.contains(lower) ? Bold(text) : Italic(text);
        at = match.capturedEnd();
    }
    return out + synopsis.mid(at);
}

QString Paragraphs(const QStringList& paragraphs) {
    QStringList out;
    for (const QString& paragraph : paragraphs)
        out << QStringLiteral(".PP") << RoffText(Sentence(paragraph));
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString TaggedItem(const QString& tag, const QString& text) {
    return QStringLiteral(".TP\n") + tag + QLatin1Char('\n') + RoffText(Sentence(text)) +
           QLatin1Char('\n');
}

QString Header(const TCommandLineDoc& doc, const TManPageFacts& facts) {
    const TDocBlock* program = doc.Find(QStringLiteral("program"), facts.Program);
    return QStringLiteral(".TH ") + facts.Program.toUpper().replace(QLatin1Char('-'), QStringLiteral("\\-")) +
           QStringLiteral(" 1 \"") + facts.Date + QStringLiteral("\" \"Quillhour ") +
           facts.Version + QStringLiteral("\" \"User Commands\"\n.nh\n.ad l\n.SH NAME\n") +
           Escaped(facts.Program).replace(QLatin1Char('-'), QStringLiteral("\\-")) +
           QStringLiteral(" \\- ") + RoffText(program ? program->Summary : QString()) +
           QLatin1Char('\n');
}

QString CliSynopsis(const TCommandLineDoc& doc) {
    const QString prefix = CliSwitchesSynopsis(doc) + QLatin1Char(' ');
    QString out = QStringLiteral(".SH SYNOPSIS\n");
    for (const TDocBlock* command : doc.OfKind(QStringLiteral("command")))
        for (const QString& synopsis : command->Synopses) {
            const bool global = synopsis.startsWith(QLatin1String("--"));
            out += QStringLiteral(".HP\n") + Bold(Cli) + QLatin1Char(' ') +
                   SynopsisRoff(global ? synopsis : prefix + synopsis) + QLatin1Char('\n');
        }
    return out;
}

QString CommandsSection(const TCommandLineDoc& doc) {
    QString out = QStringLiteral(".SH COMMANDS\n");
    for (const TDocBlock* command : doc.OfKind(QStringLiteral("command"))) {
        out += QStringLiteral(".TP\n") + SynopsisRoff(command->Synopses.front()) + QLatin1Char('\n');
        for (qsizetype i = 1; i < command->Synopses.size(); ++i)
            out += QStringLiteral(".TQ\n") + SynopsisRoff(command->Synopses.at(i)) + QLatin1Char('\n');
        QStringList paragraphs;
        for (const QString& paragraph : command->Paragraphs)
            paragraphs.append(Sentence(paragraph));
        out += RoffText(paragraphs.join(QStringLiteral("\n.IP\n"))) + QLatin1Char('\n');
        if (command->Options.empty())
            continue;
        out += QStringLiteral(".RS\n");
        for (const TDocItem& option : command->Options)
            out += TaggedItem(SynopsisRoff(option.Term), option.Text);
        out += QStringLiteral(".RE\n");
    }
    return out;
}

QString ExitSection(const TCommandLineDoc& doc) {
    QString out = QStringLiteral(".SH \"EXIT STATUS\"\n");
    for (const TDocBlock* command : doc.OfKind(QStringLiteral("command"))) {
        out += QStringLiteral(".TP\n") + Bold(command->Word()) + QLatin1Char('\n');
        for (const TDocItem& exit : command->Exits)
            out += QStringLiteral(".br\n") + RoffText(exit.Term + QLatin1Char(' ') + exit.Text) +
                   QLatin1Char('\n');
    }
    for (const TDocBlock* exit : doc.OfKind(QStringLiteral("exit")))
        out += QStringLiteral(".PP\n") +
               RoffText(QStringLiteral("Exit status ") + exit->Head + QStringLiteral(" in ") +
                        exit->Paragraphs.join(QLatin1Char(' ')) + QLatin1Char('.')) +
               QLatin1Char('\n');
    return out;
}

QString SwitchesSection(const TCommandLineDoc& doc, const QString& program) {
    QString out = QStringLiteral(".SH OPTIONS\n");
    for (const TDocBlock* block : doc.SwitchesOf(program)) {
        QStringList spellings;
        for (const QString& spelling : block->Head.split(QStringLiteral(", ")))
            spellings.append(SynopsisRoff(spelling));
        out += TaggedItem(spellings.join(QStringLiteral(", ")), block->Paragraphs.join(QLatin1Char(' ')));
    }
    return out;
}

QString ListSection(const TCommandLineDoc& doc, const QString& kind, const QString& title,
                    const QString& programFolder) {
    QString out = QStringLiteral(".SH ") + title + QLatin1Char('\n');
    for (const TDocBlock* block : doc.OfKind(kind)) {
        QString head = block->Head;
        head.replace(QStringLiteral("{programfolder}"), programFolder);
        out += TaggedItem(QStringLiteral("\\fI") + Escaped(head) + QStringLiteral("\\fR"),
                          block->Paragraphs.join(QLatin1Char(' ')));
    }
    return out;
}

QString ProgramSynopsis(const TCommandLineDoc& doc, const QString& program) {
    QStringList parts;
    for (const TDocBlock* block : doc.SwitchesOf(program))
        parts.append(QLatin1Char('[') + QString(block->Head).replace(QStringLiteral(", "), QStringLiteral(" | ")) +
                     QLatin1Char(']'));
    return QStringLiteral(".SH SYNOPSIS\n.HP\n") + Bold(program) + QLatin1Char(' ') +
           SynopsisRoff(parts.join(QLatin1Char(' '))) + QLatin1Char('\n');
}
} // namespace

QString RoffText(const QString& text) {
    static const QRegularExpression option(QStringLiteral("(^|[\\s(\"])(--?[a-z][a-z-]*)"));
    QString out = Escaped(text);
    out.replace(option, QStringLiteral("\\1\\fB\\2\\fR"));
    // Dashes inside the bold words are minus signs.
    static const QRegularExpression bold(QStringLiteral("\\\\fB([^\\\\]*)\\\\fR"));
    QString result;
    qsizetype at = 0;
    for (const QRegularExpressionMatch& match : bold.globalMatch(out)) {
        result += out.mid(at, match.capturedStart() - at) + QStringLiteral("\\fB") +
                  match.captured(1).replace(QLatin1Char('-'), QStringLiteral("\\-")) +
                  QStringLiteral("\\fR");
        at = match.capturedEnd();
    }
    result += out.mid(at);
    QStringList lines = result.split(QLatin1Char('\n'));
    for (QString& line : lines)
        if ((line.startsWith(QLatin1Char('.')) || line.startsWith(QLatin1Char('\''))) &&
            !line.startsWith(QLatin1String(".IP")))
            line.prepend(QStringLiteral("\\&"));
    return lines.join(QLatin1Char('\n'));
}

QString RenderManPage(const TCommandLineDoc& doc, const TManPageFacts& facts) {
    const TDocBlock* program = doc.Find(QStringLiteral("program"), facts.Program);
    const bool cli = facts.Program == Cli;
    QString out = Header(doc, facts);
    out += cli ? CliSynopsis(doc) : ProgramSynopsis(doc, facts.Program);
    out += QStringLiteral(".SH DESCRIPTION\n") + Paragraphs(program ? program->Paragraphs : QStringList());
    out += SwitchesSection(doc, facts.Program);
    if (cli)
        out += CommandsSection(doc) + ExitSection(doc);
    out += ListSection(doc, QStringLiteral("environment"), QStringLiteral("ENVIRONMENT"), facts.ProgramFolder);
    out += ListSection(doc, QStringLiteral("file"), QStringLiteral("FILES"), facts.ProgramFolder);
    out += QStringLiteral(".SH \"SEE ALSO\"\n.BR ") + (cli ? QStringLiteral("quillhour") : Cli) +
           QStringLiteral(" (1)\n");
    return out;
}
