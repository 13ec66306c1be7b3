#pragma once

#include <QString>

// How a report text is set: the report font at a size, bold or not, italic or not.
struct TTextStyle {
    double PointSize = 10;
    bool Bold = false;
    bool Italic = false;
};

// The sizes of report texts as they are drawn: in the report font (ReportFont), measured at 96
// dots per inch so that one dot is one layout unit. The layouter places texts by these numbers
// and the painters draw them by the same, on screen, on paper and in PDF files. Widths are
// kept per style and text, for the texts of a report repeat (the same hours, codes and names
// on thousands of lines).
class TReportTextMetrics {
public:
    static double Width(const TTextStyle& style, const QString& text);
    // The height of one line, and the distance from one line's top to the next one's.
    static double Height(const TTextStyle& style);
    static double LineSpacing(const TTextStyle& style);
    // From a line's top to its baseline.
    static double Ascent(const TTextStyle& style);
    // The text cut at its end with an ellipsis so that it is at most width wide; the text
    // itself when it fits, empty when not even the ellipsis fits.
    static QString Elided(const TTextStyle& style, const QString& text, double width);
};
