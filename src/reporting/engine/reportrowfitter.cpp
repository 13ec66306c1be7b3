#include "reportrowfitter.h"

#include <algorithm>

namespace {
constexpr double ShrinkStep = 0.5;
constexpr int MaximumPasses = 64;

// Lines longer than width broken between words (a word longer than the width stays whole).
QStringList Wrapped(const TTextStyle& style, const QStringList& paragraphs, double width) {
    QStringList lines;
    for (const QString& paragraph : paragraphs) {
        QString line;
        for (const QString& word : paragraph.split(QLatin1Char(' '))) {
            const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
            if (!line.isEmpty() && TReportTextMetrics::Width(style, longer) > width) {
                lines.append(line);
                line = word;
            } else {
                line = longer;
            }
        }
        lines.append(line);
    }
    return lines;
}

bool RowsMeet(const TFittedText& a, const TFittedText& b) {
    constexpr double Overlap = 0.5;
    return a.Top < b.Top + b.Height - Overlap && b.Top < a.Top + a.Height - Overlap;
}
} // namespace

double TFittedText::Left() const {
    switch (Alignment) {
    case TTextAlignment::Right:
        return Anchor - Width;
    case TTextAlignment::Centre:
        return Anchor - Width / 2;
    case TTextAlignment::Left:
        break;
    }
    return Anchor;
}

double TFittedText::Right() const {
    return Left() + Width;
}

QRectF TFittedText::Box() const {
    if (Alignment == TTextAlignment::Left)
        return {Anchor, Top, std::max(Width, std::min(BoxWidth, Limit)), Height};
    const double width = std::max(Width, BoxWidth);
    const double left = Alignment == TTextAlignment::Right ? Anchor - width : Anchor - width / 2;
    return {left, Top, width, Height};
}

void TFittedText::Measure() {
    Shown = Lines;
    Width = 0;
    for (QString& line : Shown) {
        if (Alignment == TTextAlignment::Left)
            line = TReportTextMetrics::Elided(Style, line, Limit);
        Width = std::max(Width, TReportTextMetrics::Width(Style, line));
    }
    const double lines = double(std::max<qsizetype>(Shown.size(), 1));
    Height = TReportTextMetrics::Height(Style) + (lines - 1) * TReportTextMetrics::LineSpacing(Style);
}

TFittedText TReportRowFitter::FromLabel(const TReportLabel& label, double bandWidth) {
    TFittedText text;
    text.Name = label.Name;
    text.Style = {label.PointSize, label.Bold, label.Italic};
    text.Top = label.Top;
    text.Stretch = label.Stretch;
    text.BoxWidth = std::max(label.Width, 0);
    // Without a width of its own a label is as wide as its text, from its left edge.
    text.Alignment = label.Width > 0 ? label.Alignment : TTextAlignment::Left;
    switch (text.Alignment) {
    case TTextAlignment::Right:
        text.Anchor = label.Left + label.Width;
        break;
    case TTextAlignment::Centre:
        text.Anchor = label.Left + label.Width / 2.0;
        break;
    case TTextAlignment::Left:
        text.Anchor = label.Left;
        break;
    }
    const double room = std::max(0.0, bandWidth - label.Left);
    text.Limit = label.Width > 0 ? std::min<double>(label.Width, room) : room;
    text.Lines = label.Text.split(QLatin1Char('\n'));
    if (label.Stretch && label.Width > 0)
        text.Lines = Wrapped(text.Style, text.Lines, label.Width);
    text.Measure();
    return text;
}

bool TReportRowFitter::Resolve(TFittedText& left, TFittedText& right) {
    if (left.Alignment == TTextAlignment::Left) {
        const double limit = std::max(0.0, right.Left() - Gap - left.Anchor);
        if (limit >= left.Limit)
            return false;
        left.Limit = limit;
        left.Measure();
        return true;
    }
    for (TFittedText* text : {&right, &left}) {
        // A right-aligned text on the left keeps its right edge however small it is set.
        const bool helps = text == &right ? right.Alignment != TTextAlignment::Left
                                          : left.Alignment == TTextAlignment::Centre;
        if (helps && text->Style.PointSize > SmallestPointSize) {
            text->Style.PointSize = std::max(SmallestPointSize, text->Style.PointSize - ShrinkStep);
            text->Measure();
            return true;
        }
    }
    return false;
}

void TReportRowFitter::Fit(std::vector<TFittedText>& texts) {
    for (int pass = 0; pass < MaximumPasses; ++pass) {
        bool changed = false;
        for (std::size_t a = 0; a < texts.size(); ++a)
            for (std::size_t b = 0; b < texts.size(); ++b) {
                TFittedText& left = texts[a];
                TFittedText& right = texts[b];
                if (a == b || left.Width <= 0 || right.Width <= 0 || !RowsMeet(left, right))
                    continue;
                const bool before =
                    left.Left() < right.Left() || (left.Left() == right.Left() && a < b);
                if (before && left.Right() + Gap > right.Left() && Resolve(left, right))
                    changed = true;
            }
        if (!changed)
            return;
    }
}
