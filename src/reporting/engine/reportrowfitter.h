#pragma once

#include "reporting/engine/reportmodel.h"
#include "reporting/engine/reporttextmetrics.h"

#include <vector>

#include <QRectF>
#include <QStringList>

// One label's text as its band shows it: its lines, how they are set and where the text is
// anchored: at its left edge (left-aligned), its right edge (right-aligned) or its centre.
struct TFittedText {
    QString Name;
    QStringList Lines; // as the label holds them, wrapped at its width when it stretches
    QStringList Shown; // as drawn: cut with an ellipsis where there is no room
    TTextStyle Style;
    TTextAlignment Alignment = TTextAlignment::Left;
    double Anchor = 0;
    double BoxWidth = 0; // the label's own width; 0 when it is as wide as its text
    double Limit = 0;    // left-aligned: the widest the text may be drawn
    double Top = 0;
    bool Stretch = false;
    double Width = 0; // the widest shown line
    double Height = 0;

    // Where the drawn text begins and ends.
    double Left() const;
    double Right() const;
    // The box the text stands in: the label's own, grown to hold the whole text.
    QRectF Box() const;
    // Shown, Width and Height from Lines, Style and Limit.
    void Measure();
};

// Fits the texts of a band so that every number, heading and caption is drawn whole and none
// runs into another on its row. A right-aligned text grows from its right edge and a centred
// one from its centre, as wide as the text needs. Where two texts would meet, the left one,
// when it is a left-aligned text (a name, a remark), is cut with an ellipsis before the other;
// otherwise the right one is set smaller, down to 5 points.
class TReportRowFitter {
public:
    // The label's text, not yet fitted to its neighbours; a left-aligned text never reaches
    // past bandWidth.
    static TFittedText FromLabel(const TReportLabel& label, double bandWidth);
    static void Fit(std::vector<TFittedText>& texts);

    // The room kept between two texts of a row, in layout units.
    static constexpr double Gap = 3;
    static constexpr double SmallestPointSize = 5;

private:
    static bool Resolve(TFittedText& left, TFittedText& right);
};
