#include "reporttextmetrics.h"

#include "reporting/engine/reportfont.h"

#include <cmath>
#include <memory>
#include <unordered_map>

#include <QFontMetricsF>
#include <QHash>
#include <QImage>

namespace {
constexpr double UnitsPerInch = 96;
constexpr double MmPerInch = 25.4;
// More widths than a year's report of a work group needs; past that the oldest are dropped.
constexpr qsizetype MaximumKeptWidths = 200000;

// Fonts are measured as they print: at 96 dots per inch, one dot a layout unit.
const QImage& MeasuringDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = int(std::lround(UnitsPerInch / MmPerInch * 1000));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

struct TStyleMetrics {
    explicit TStyleMetrics(const TTextStyle& style)
        : Metrics(ReportFont(style.PointSize, style.Bold, style.Italic), &MeasuringDevice()) {}
    QFontMetricsF Metrics;
    QHash<QString, double> Widths;
};

int KeyOf(const TTextStyle& style) {
    return int(std::lround(style.PointSize * 16)) * 4 + (style.Bold ? 2 : 0) +
           (style.Italic ? 1 : 0);
}

// Per thread, so that measuring needs no lock.
TStyleMetrics& MetricsOf(const TTextStyle& style) {
    thread_local std::unordered_map<int, std::unique_ptr<TStyleMetrics>> styles;
    std::unique_ptr<TStyleMetrics>& found = styles[KeyOf(style)];
    if (!found)
        found = std::make_unique<TStyleMetrics>(style);
    return *found;
}
} // namespace

double TReportTextMetrics::Width(const TTextStyle& style, const QString& text) {
    if (text.isEmpty())
        return 0;
    TStyleMetrics& metrics = MetricsOf(style);
    const auto found = metrics.Widths.constFind(text);
    if (found != metrics.Widths.cend())
        return found.value();
    if (metrics.Widths.size() >= MaximumKeptWidths)
        metrics.Widths.clear();
    const double width = metrics.Metrics.horizontalAdvance(text);
    metrics.Widths.insert(text, width);
    return width;
}

double TReportTextMetrics::Height(const TTextStyle& style) {
    return MetricsOf(style).Metrics.height();
}

double TReportTextMetrics::LineSpacing(const TTextStyle& style) {
    return MetricsOf(style).Metrics.lineSpacing();
}

double TReportTextMetrics::Ascent(const TTextStyle& style) {
    return MetricsOf(style).Metrics.ascent();
}

QString TReportTextMetrics::Elided(const TTextStyle& style, const QString& text, double width) {
    if (Width(style, text) <= width)
        return text;
    const QFontMetricsF& metrics = MetricsOf(style).Metrics;
    const QString ellipsis(QChar(0x2026));
    if (metrics.horizontalAdvance(ellipsis) > width)
        return {};
    // The longest start of the text that leaves room for the ellipsis (the starts are not
    // kept: each is measured once).
    const auto start = [&text](qsizetype length) {
        if (length > 0 && text.at(length - 1).isHighSurrogate())
            --length;
        return text.left(length).trimmed();
    };
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (metrics.horizontalAdvance(start(middle) + ellipsis) <= width)
            low = middle;
        else
            high = middle - 1;
    }
    return start(low) + ellipsis;
}
