#include "completionwords.h"

#include "commandlinedoc.h"

#include <QRegularExpression>

namespace {
QString Quoted(const QString& text) {
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// What the word after an option is, from the option's value word.
QString ValueKind(const QString& option, const QString& value) {
    if (value.isEmpty())
        return {};
    if (value.contains(QLatin1Char('|')))
        return QStringLiteral("choices ") + QString(value).replace(QLatin1Char('|'), QLatin1Char(' '));
    if (value == QLatin1String("FILE"))
        return QStringLiteral("file");
    if (value == QLatin1String("FOLDER") || value == QLatin1String("DIR"))
        return QStringLiteral("folder");
    if (option == QLatin1String("--users") && value.contains(QLatin1Char(',')))
        return QStringLiteral("users");
    return QStringLiteral("text");
}

// The first word after the command when it is not an option: its choices, or what it stands for.
QString FirstWordKind(const TDocBlock& command) {
    QStringList choices;
    for (const QString& synopsis : command.Synopses) {
        const QString word = synopsis.section(QLatin1Char(' '), 1, 1);
        if (word.isEmpty() || word.startsWith(QLatin1Char('[')) || word.startsWith(QLatin1Char('-')))
            continue;
        if (word == word.toUpper())
            return QStringLiteral("value ") + word;
        choices.append(word.split(QLatin1Char('|')));
    }
    return choices.isEmpty() ? QString() : QStringLiteral("choices ") + choices.join(QLatin1Char(' '));
}

QString CaseLine(const QString& pattern, const QString& text) {
    return QStringLiteral("    ") + pattern + QStringLiteral(") echo ") + Quoted(text) +
           QStringLiteral(" ;;\n");
}
} // namespace

QString RenderCompletionWords(const TCommandLineDoc& doc) {
    QStringList commands;
    QString options, values, first;
    for (const TDocBlock* command : doc.OfKind(QStringLiteral("command"))) {
        commands.append(command->Word());
        QStringList words;
        for (const TDocItem& option : command->Options) {
            const QString word = option.Term.section(QLatin1Char(' '), 0, 0);
            words.append(word);
            const QString kind = ValueKind(word, option.Term.section(QLatin1Char(' '), 1));
            if (!kind.isEmpty())
                values += CaseLine(Quoted(command->Word() + QLatin1Char(' ') + word), kind);
        }
        if (!words.isEmpty())
            options += CaseLine(command->Word(), words.join(QLatin1Char(' ')));
        if (const QString kind = FirstWordKind(*command); !kind.isEmpty())
            first += CaseLine(command->Word(), kind);
    }
    QStringList switches;
    for (const TDocBlock* block : doc.SwitchesOf(QStringLiteral("quillhour-cli")))
        for (const QString& spelling : block->Head.split(QStringLiteral(", ")))
            switches.append(spelling.section(QLatin1Char(' '), 0, 0));
    return QStringLiteral("_quillhour_cli_commands=") + Quoted(commands.join(QLatin1Char(' '))) +
           QStringLiteral("\n_quillhour_cli_switches=") + Quoted(switches.join(QLatin1Char(' '))) +
           QStringLiteral("\n_quillhour_cli_options() {\n    case $1 in\n") + options +
           QStringLiteral("    esac\n}\n_quillhour_cli_value() {\n    case \"$1 $2\" in\n") + values +
           QStringLiteral("    esac\n}\n_quillhour_cli_first() {\n    case $1 in\n") + first +
           QStringLiteral("    esac\n}\n");
}
