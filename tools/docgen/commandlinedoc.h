#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// One "- TERM: text" or "= N: text" line of a block.
struct TDocItem {
    QString Term;
    QString Text;
};

// One "@kind head" block of the command line text with what follows it.
struct TDocBlock {
    QString Kind;
    QString Head;
    QStringList Synopses; // the head and every "+" line (commands)
    QStringList Programs; // "* program" lines: other programs that take this switch
    QString Summary;
    QStringList Paragraphs;
    std::vector<TDocItem> Options;
    std::vector<TDocItem> Exits;
    int Line = 0;

    // The first word of the head: a command's or program's name.
    QString Word() const;
};

// The parsed text that --help, the manual pages, the completion and the README's tables are
// made from.
class TCommandLineDoc {
public:
    // False, with "file:line: reason" in error, when the text does not follow its rules.
    bool Parse(const QString& text, const QString& fileName, QString& error);
    bool Read(const QString& path, QString& error);

    const std::vector<TDocBlock>& Blocks() const { return FBlocks; }
    std::vector<const TDocBlock*> OfKind(const QString& kind) const;
    const TDocBlock* Find(const QString& kind, const QString& word) const;
    // The switches a program takes: its own, or those that name it with "*".
    std::vector<const TDocBlock*> SwitchesOf(const QString& program) const;

private:
    bool AddLine(const QString& line, QString& paragraph, QString& why);
    bool Check(QString& why, int& line) const;

    std::vector<TDocBlock> FBlocks;
};

// The word "--from" in a text, as its words run.
QStringList OptionWords(const QString& text);
