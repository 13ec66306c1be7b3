#include "helptext.h"

#include "commandlinedoc.h"
#include "textwrap.h"

namespace {
constexpr int Width = 80;
const QString Program = QStringLiteral("quillhour-cli");
const QString Column(14, QLatin1Char(' '));

void AddLines(QStringList& out, const QStringList& lines) {
    out.append(lines);
}

// A name and its text: the text beside the name when the name is short, else below it.
void AddTerm(QStringList& out, const QString& indent, const QString& term, const QString& text,
             int column) {
    const QString textIndent = indent + QString(column, QLatin1Char(' '));
    QString first = textIndent;
    if (term.size() < column - 1)
        first = (indent + term).leftJustified(textIndent.size());
    else
        out.append(indent + term);
    AddLines(out, WrapText(text, Width, first, textIndent));
}

void AddCommand(QStringList& out, const TDocBlock& command) {
    QStringList paragraphs;
    for (const QString& paragraph : command.Paragraphs)
        paragraphs.append(Sentence(paragraph));
    if (command.Synopses.size() == 1 && command.Synopses.front().size() < Column.size() - 3) {
        AddTerm(out, QStringLiteral("  "), command.Synopses.front(), paragraphs.join(QLatin1Char(' ')),
                int(Column.size()) - 2);
    } else {
        for (const QString& synopsis : command.Synopses)
            AddLines(out, WrapText(synopsis, Width, QStringLiteral("  "), QStringLiteral("       ")));
        AddLines(out, WrapText(paragraphs.join(QLatin1Char(' ')), Width, Column, Column));
    }
    for (const TDocItem& option : command.Options)
        AddTerm(out, Column, option.Term, option.Text, 20);
    AddLines(out, WrapText(QStringLiteral("Exit status: ") + JoinedExits(command.Exits) +
                               QLatin1Char('.'),
                           Width, Column, Column));
}
} // namespace

QString CliSwitchesSynopsis(const TCommandLineDoc& doc) {
    QStringList parts;
    for (const TDocBlock* block : doc.SwitchesOf(Program))
        parts.append(QLatin1Char('[') + QString(block->Head).replace(QStringLiteral(", "),
                                                                      QStringLiteral(" | ")) +
                     QLatin1Char(']'));
    return parts.join(QLatin1Char(' '));
}

QString RenderHelpText(const TCommandLineDoc& doc) {
    QStringList out;
    out << QStringLiteral("Usage: ") + Program + QLatin1Char(' ') + CliSwitchesSynopsis(doc) +
               QStringLiteral(" COMMAND [OPTIONS]")
        << QString();
    if (const TDocBlock* program = doc.Find(QStringLiteral("program"), Program))
        AddLines(out, WrapText(Sentence(program->Summary), Width, QString(), QString()));
    out << QString() << QStringLiteral("Commands:");
    for (const TDocBlock* command : doc.OfKind(QStringLiteral("command")))
        AddCommand(out, *command);
    out << QString();
    for (const TDocBlock* exit : doc.OfKind(QStringLiteral("exit")))
        AddLines(out, WrapText(QStringLiteral("Exit status ") + exit->Head + QStringLiteral(" in ") +
                                   exit->Paragraphs.join(QLatin1Char(' ')) + QLatin1Char('.'),
                               Width, QString(), QString()));
    out << QString() << QStringLiteral("Switches:");
    for (const TDocBlock* block : doc.SwitchesOf(Program))
        AddTerm(out, QStringLiteral("  "), block->Head, Sentence(block->Paragraphs.join(QLatin1Char(' '))),
                int(Column.size()) - 2);
    out << QString() << QStringLiteral("Environment:");
    for (const TDocBlock* variable : doc.OfKind(QStringLiteral("environment")))
        AddTerm(out, QStringLiteral("  "), variable->Head,
                Sentence(variable->Paragraphs.join(QLatin1Char(' '))), int(Column.size()) - 2);
    out << QString()
        << QStringLiteral("The files it reads and the data location are described in ") +
               Program + QStringLiteral("(1).");
    return out.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
