#include "commandlinedoc.h"

#include <QFile>
#include <QRegularExpression>

#include <set>

namespace {
const QStringList Kinds{QStringLiteral("program"),     QStringLiteral("switch"),
                        QStringLiteral("command"),     QStringLiteral("exit"),
                        QStringLiteral("environment"), QStringLiteral("file")};

bool SplitItem(const QString& line, TDocItem& item) {
    const qsizetype colon = line.indexOf(QLatin1String(": "));
    if (colon <= 2)
        return false;
    item.Term = line.mid(2, colon - 2).trimmed();
    item.Text = line.mid(colon + 2).trimmed();
    return !item.Term.isEmpty() && !item.Text.isEmpty();
}

void EndParagraph(TDocBlock& block, QString& paragraph) {
    if (!paragraph.isEmpty())
        block.Paragraphs.append(paragraph);
    paragraph.clear();
}
} // namespace

QString TDocBlock::Word() const {
    return Head.section(QLatin1Char(' '), 0, 0);
}

bool TCommandLineDoc::AddLine(const QString& line, QString& paragraph, QString& why) {
    TDocBlock& block = FBlocks.back();
    const QString mark = line.left(2);
    if (line.trimmed().isEmpty()) {
        EndParagraph(block, paragraph);
    } else if (mark == QLatin1String("> ")) {
        block.Summary = line.mid(2).trimmed();
    } else if (mark == QLatin1String("+ ")) {
        block.Synopses.append(line.mid(2).trimmed());
    } else if (mark == QLatin1String("* ")) {
        block.Programs.append(line.mid(2).trimmed());
    } else if (mark == QLatin1String("- ") || mark == QLatin1String("= ")) {
        TDocItem item;
        if (!SplitItem(line, item)) {
            why = QStringLiteral("an item needs \"TERM: text\"");
            return false;
        }
        (mark.at(0) == QLatin1Char('-') ? block.Options : block.Exits).push_back(item);
    } else {
        paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + line.trimmed();
    }
    return true;
}

bool TCommandLineDoc::Parse(const QString& text, const QString& fileName, QString& error) {
    FBlocks.clear();
    QString paragraph;
    QString why;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size() && why.isEmpty(); ++i) {
        const QString& line = lines.at(i);
        if (line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('@'))) {
            if (!FBlocks.empty())
                EndParagraph(FBlocks.back(), paragraph);
            TDocBlock block;
            block.Kind = line.mid(1).section(QLatin1Char(' '), 0, 0);
            block.Head = line.mid(1).section(QLatin1Char(' '), 1).trimmed();
            block.Synopses.append(block.Head);
            block.Line = int(i + 1);
            if (!Kinds.contains(block.Kind) || block.Head.isEmpty())
                why = QStringLiteral("unknown block \"") + line + QLatin1Char('"');
            FBlocks.push_back(block);
        } else if (FBlocks.empty()) {
            why = line.trimmed().isEmpty() ? QString() : QStringLiteral("text before any block");
        } else {
            AddLine(line, paragraph, why);
        }
        if (!why.isEmpty())
            error = fileName + QLatin1Char(':') + QString::number(i + 1) + QStringLiteral(": ") + why;
    }
    if (!why.isEmpty())
        return false;
    if (!FBlocks.empty())
        EndParagraph(FBlocks.back(), paragraph);
    int line = 0;
    if (!Check(why, line)) {
        error = fileName + QLatin1Char(':') + QString::number(line) + QStringLiteral(": ") + why;
        return false;
    }
    return true;
}

// Every command has a summary, a description and its exit statuses, and every option word of
// a synopsis is described (and no other).
bool TCommandLineDoc::Check(QString& why, int& line) const {
    for (const TDocBlock* command : OfKind(QStringLiteral("command"))) {
        line = command->Line;
        if (command->Summary.isEmpty() || command->Paragraphs.isEmpty() || command->Exits.empty()) {
            why = QStringLiteral("a command needs a summary, a description and exit statuses");
            return false;
        }
        std::set<QString> inSynopsis;
        for (const QString& synopsis : command->Synopses)
            for (const QString& word : OptionWords(synopsis.section(QLatin1Char(' '), 1)))
                inSynopsis.insert(word);
        std::set<QString> described;
        for (const TDocItem& option : command->Options)
            described.insert(option.Term.section(QLatin1Char(' '), 0, 0));
        if (inSynopsis != described) {
            why = QStringLiteral("the options described are not those of the synopsis");
            return false;
        }
    }
    return true;
}

bool TCommandLineDoc::Read(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = path + QStringLiteral(": ") + file.errorString();
        return false;
    }
    return Parse(QString::fromUtf8(file.readAll()), path, error);
}

std::vector<const TDocBlock*> TCommandLineDoc::OfKind(const QString& kind) const {
    std::vector<const TDocBlock*> found;
    for (const TDocBlock& block : FBlocks)
        if (block.Kind == kind)
            found.push_back(&block);
    return found;
}

const TDocBlock* TCommandLineDoc::Find(const QString& kind, const QString& word) const {
    for (const TDocBlock& block : FBlocks)
        if (block.Kind == kind && block.Word() == word)
            return &block;
    return nullptr;
}

std::vector<const TDocBlock*> TCommandLineDoc::SwitchesOf(const QString& program) const {
    std::vector<const TDocBlock*> found;
    const bool isProgram = !OfKind(QStringLiteral("program")).empty() &&
                           OfKind(QStringLiteral("program")).front()->Word() == program;
    for (const TDocBlock* block : OfKind(QStringLiteral("switch")))
        if (isProgram || block->Programs.contains(program))
            found.push_back(block);
    return found;
}

QStringList OptionWords(const QString& text) {
    static const QRegularExpression word(QStringLiteral("(?:^|[\\s\\[|])(--[a-z][a-z-]*)"));
    QStringList words;
    for (const QRegularExpressionMatch& match : word.globalMatch(text))
        words.append(match.captured(1));
    return words;
}
