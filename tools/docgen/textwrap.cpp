#include "textwrap.h"

#include "commandlinedoc.h"

namespace {
// Words, keeping a bracketed group together as long as it is not too long for a line.
QStringList Pieces(const QString& text, int width) {
    const qsizetype limit = width * 3 / 4;
    QStringList pieces;
    QString piece;
    int depth = 0;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!piece.isEmpty() && piece.size() + 1 + word.size() > limit) {
            pieces.append(piece);
            piece.clear();
        }
        piece += (piece.isEmpty() ? QString() : QStringLiteral(" ")) + word;
        depth += int(word.count(QLatin1Char('['))) - int(word.count(QLatin1Char(']')));
        if (depth <= 0) {
            pieces.append(piece);
            piece.clear();
            depth = 0;
        }
    }
    if (!piece.isEmpty())
        pieces.append(piece);
    return pieces;
}
} // namespace

QStringList WrapText(const QString& text, int width, const QString& first, const QString& rest) {
    QStringList lines;
    QString line = first;
    bool empty = true;
    for (const QString& piece : Pieces(text, width)) {
        if (!empty && line.size() + 1 + piece.size() > width) {
            lines.append(line);
            line = rest;
            empty = true;
        }
        line += (empty ? QString() : QStringLiteral(" ")) + piece;
        empty = false;
    }
    lines.append(line);
    return lines;
}

QString JoinedExits(const std::vector<TDocItem>& exits) {
    QStringList parts;
    for (const TDocItem& exit : exits)
        parts.append(exit.Term + QLatin1Char(' ') + exit.Text);
    return parts.join(QStringLiteral("; "));
}

QString Sentence(const QString& text) {
    QString out = text.trimmed();
    if (out.isEmpty())
        return out;
    out[0] = out.at(0).toUpper();
    if (!out.endsWith(QLatin1Char('.')))
        out += QLatin1Char('.');
    return out;
}
