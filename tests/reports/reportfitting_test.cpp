#include "reporting/engine/reportfont.h"
#include "reporting/engine/reportlayouter.h"
#include "reporting/engine/reportmodel.h"
#include "reporting/engine/reporttextmetrics.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRawFont>

#include <gtest/gtest.h>

namespace {
const QChar Ellipsis(0x2026);

// A report of one record whose detail band holds the labels a test adds.
struct TOneRowReport {
    TOneRowReport() {
        Model.NextRecord = [this] { return Records-- > 0; };
    }
    TReportLabel& Add(const char* name, int left, int width, TTextAlignment alignment,
                      const QString& text) {
        TReportLabel& label = Detail.AddLabel(QString::fromLatin1(name), left, 2, 8);
        label.Width = width;
        label.Alignment = alignment;
        label.Text = text;
        return label;
    }
    // The detail band's texts as the first page places them, by label name.
    std::map<QString, TPageItem> Placed() {
        TReportLayouter layouter(Model);
        TReportPage page;
        EXPECT_TRUE(layouter.NextPage(page));
        std::map<QString, TPageItem> items;
        for (const TPageItem& item : page.Items)
            if (item.Kind == TPageItem::ikText)
                items[item.Name] = item;
        return items;
    }
    TReportModel Model;
    TReportBand& Detail = Model.AddBand(TBandKind::Detail, 18);
    int Records = 1;
};

double WidthOf(const TPageItem& item) {
    return TReportTextMetrics::Width({item.PointSize, item.Bold, item.Italic}, item.Text);
}
} // namespace

TEST(ReportFitting, TheReportFontHasRealBoldAndItalicFaces) {
    ASSERT_TRUE(ReportFontsRegistered());
    EXPECT_EQ(ReportFontFamily(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QRawFont::fromFont(ReportFont(8)).styleName(), QStringLiteral("Regular"));
    EXPECT_EQ(QRawFont::fromFont(ReportFont(8, true)).styleName(), QStringLiteral("Bold"));
    EXPECT_EQ(QRawFont::fromFont(ReportFont(8, false, true)).styleName(), QStringLiteral("Italic"));
    EXPECT_EQ(QRawFont::fromFont(ReportFont(8, true, true)).styleName(),
              QStringLiteral("Bold Italic"));
    // Bold is a face of its own, not the regular one drawn thicker: heavier, and wider.
    EXPECT_GE(QRawFont::fromFont(ReportFont(8, true)).weight(), int(QFont::Bold));
    const QString text = QStringLiteral("Daily Sub-total WARNING");
    EXPECT_GT(TReportTextMetrics::Width({8, true, false}, text),
              TReportTextMetrics::Width({8, false, false}, text) + 3);
    // Measured at 96 dots per inch: an 8-point line is 8 × 96 / 72 units high, give or take.
    EXPECT_NEAR(TReportTextMetrics::Height({8, false, false}), 8 * 96.0 / 72, 2.5);
}

TEST(ReportFitting, ARightAlignedNumberGrowsFromItsRightEdge) {
    TOneRowReport report;
    report.Add("lblTotal", 900, 20, TTextAlignment::Right, QStringLiteral("$5564485.00"));
    const TPageItem total = report.Placed().at(QStringLiteral("lblTotal"));
    EXPECT_EQ(total.Text, QStringLiteral("$5564485.00")); // whole, with its symbol
    EXPECT_DOUBLE_EQ(total.Rect.right(), 920);
    EXPECT_GE(total.Rect.width(), WidthOf(total));
    EXPECT_GT(total.Rect.width(), 20);
    EXPECT_DOUBLE_EQ(total.TextWidth, WidthOf(total));
}

TEST(ReportFitting, ATextTooNarrowForItsFieldEndsInAnEllipsis) {
    TOneRowReport report;
    report.Add("lblClient", 8, 60, TTextAlignment::Left,
               QStringLiteral("Acme Corporation International"));
    report.Add("lblShort", 100, 60, TTextAlignment::Left, QStringLiteral("Web"));
    const auto placed = report.Placed();
    const TPageItem client = placed.at(QStringLiteral("lblClient"));
    EXPECT_TRUE(client.Text.endsWith(Ellipsis)) << client.Text.toStdString();
    EXPECT_TRUE(QStringLiteral("Acme Corporation International")
                    .startsWith(client.Text.chopped(1).trimmed()));
    EXPECT_LE(WidthOf(client), 60);
    EXPECT_GT(WidthOf(client), 40); // as much of the name as there is room for
    EXPECT_EQ(placed.at(QStringLiteral("lblShort")).Text, QStringLiteral("Web"));
}

TEST(ReportFitting, ANameBeforeAGrownNumberMakesRoomForIt) {
    TOneRowReport report;
    report.Add("lblCode", 800, 100, TTextAlignment::Left,
               QStringLiteral("A code written out much too long"));
    report.Add("lblAmount", 880, 60, TTextAlignment::Right, QStringLiteral("$123456789012.00"));
    const auto placed = report.Placed();
    const TPageItem code = placed.at(QStringLiteral("lblCode"));
    const TPageItem amount = placed.at(QStringLiteral("lblAmount"));
    EXPECT_EQ(amount.Text, QStringLiteral("$123456789012.00"));
    EXPECT_TRUE(code.Text.endsWith(Ellipsis));
    EXPECT_LE(code.Rect.left() + WidthOf(code) + 3, amount.Rect.right() - WidthOf(amount) + 0.01);
}

TEST(ReportFitting, TwoNumbersThatWouldRunTogetherAreSetSmaller) {
    TOneRowReport report;
    report.Add("lblRate", 917, 60, TTextAlignment::Right, QStringLiteral("$250000.00"));
    report.Add("lblExtended", 979, 60, TTextAlignment::Right, QStringLiteral("$1000000000.00"));
    const auto placed = report.Placed();
    const TPageItem rate = placed.at(QStringLiteral("lblRate"));
    const TPageItem amount = placed.at(QStringLiteral("lblExtended"));
    EXPECT_EQ(rate.Text, QStringLiteral("$250000.00"));
    EXPECT_EQ(amount.Text, QStringLiteral("$1000000000.00"));
    EXPECT_DOUBLE_EQ(rate.PointSize, 8);
    EXPECT_LT(amount.PointSize, 8); // the right one shrinks, keeping its right edge
    EXPECT_DOUBLE_EQ(amount.Rect.right(), 1039);
    EXPECT_LE(rate.Rect.right() + 3, amount.Rect.right() - WidthOf(amount) + 0.01);
}

TEST(ReportFitting, AReportWithoutRecordsMakesNoPage) {
    TReportModel model;
    model.AddBand(TBandKind::Title, 56).AddLabel(QStringLiteral("lblTitle"), 8, 2).Text =
        QStringLiteral("Weekly Activity");
    model.AddBand(TBandKind::Summary, 24).AddLabel(QStringLiteral("lblTotal"), 8, 4).Text =
        QStringLiteral("--");
    model.NextRecord = [] { return false; };
    TReportLayouter layouter(model);
    TReportPage page;
    EXPECT_FALSE(layouter.NextPage(page));
    EXPECT_TRUE(layouter.Finished());
}

namespace {
// Groups of lines, each under a heading that is repeated, marked continued, on every page the
// group goes on to, and closed by a total kept with its last line.
struct TGroupedReport {
    explicit TGroupedReport(std::vector<int> sizes) : Sizes(std::move(sizes)) {
        Model.AddBand(TBandKind::PageHeader, 24);
        TReportBand& heading = Model.AddBand(TBandKind::Detail, 18);
        heading.AddLabel(QStringLiteral("lblDay"), 8, 3, 8);
        heading.KeepWithNext = true;
        heading.Continued = [](TReportBand& copy) {
            copy.Label(QStringLiteral("lblDay"))->Text += QStringLiteral(" (continued)");
        };
        TReportBand& line = Model.AddBand(TBandKind::SubDetail, 18);
        line.AddLabel(QStringLiteral("lblLine"), 8, 2, 8);
        TReportBand& total = Model.AddBand(TBandKind::GroupFooter, 18);
        total.AddLabel(QStringLiteral("lblSubTotal"), 8, 2, 8);
        total.KeepWithPrevious = true;
        line.Footer = &total;
        Model.AddBand(TBandKind::PageFooter, 32);
        Model.NextRecord = [this, &heading, &total] {
            if (Group >= Sizes.size())
                return false;
            ++Group;
            Line = 0;
            heading.Label(QStringLiteral("lblDay"))->Text = QStringLiteral("Day %1").arg(Group);
            total.Label(QStringLiteral("lblSubTotal"))->Text =
                QStringLiteral("Total %1").arg(Group);
            return true;
        };
        line.NextRecord = [this, &line] {
            if (Line >= Sizes[Group - 1])
                return false;
            line.Label(QStringLiteral("lblLine"))->Text =
                QStringLiteral("Day %1 line %2").arg(Group).arg(++Line);
            return true;
        };
    }
    // The texts of each page.
    std::vector<QStringList> Pages() {
        TReportLayouter layouter(Model);
        std::vector<QStringList> pages;
        TReportPage page;
        while (layouter.NextPage(page)) {
            QStringList texts;
            for (const TPageItem& item : page.Items)
                if (item.Kind == TPageItem::ikText)
                    texts.append(item.Text);
            pages.push_back(texts);
        }
        return pages;
    }
    TReportModel Model;
    std::vector<int> Sizes;
    std::size_t Group = 0;
    int Line = 0;
};
} // namespace

TEST(ReportFitting, APageGoingOnWithAGroupRepeatsItsHeadingMarkedContinued) {
    // One day of 100 lines: three pages at 18 units a line.
    TGroupedReport report({3, 100, 2});
    const std::vector<QStringList> pages = report.Pages();
    ASSERT_GE(pages.size(), 3u);
    int continued = 0;
    for (std::size_t p = 1; p < pages.size(); ++p) {
        const QStringList& texts = pages[p];
        ASSERT_FALSE(texts.isEmpty());
        if (texts.front().contains(QStringLiteral(" line "))) {
            ADD_FAILURE() << "page " << p + 1 << " starts with a line and no heading";
        }
        if (texts.front().endsWith(QStringLiteral("(continued)"))) {
            ++continued;
            // The heading names the day of the page's first line.
            const QString day = texts.front().section(QLatin1Char(' '), 0, 1);
            EXPECT_TRUE(texts.at(1).startsWith(day + QStringLiteral(" line ")));
        }
    }
    EXPECT_GE(continued, 2);
    // Every line printed once, every heading once without the mark.
    QStringList all;
    for (const QStringList& texts : pages)
        all += texts;
    EXPECT_EQ(all.filter(QStringLiteral(" line ")).size(), 105);
    EXPECT_EQ(all.count(QStringLiteral("Day 2")), 1);
}

TEST(ReportFitting, ATotalNeverStandsAloneAtAPagesTopNorAHeadingAtItsFoot) {
    // Group sizes that put a group's end at every place of a page in turn.
    std::vector<int> sizes;
    for (int size = 1; size <= 40; ++size)
        sizes.push_back(size);
    TGroupedReport report(sizes);
    const std::vector<QStringList> pages = report.Pages();
    ASSERT_GT(pages.size(), 10u);
    for (std::size_t p = 0; p < pages.size(); ++p) {
        const QStringList& texts = pages[p];
        for (qsizetype i = 0; i < texts.size(); ++i) {
            if (texts[i].startsWith(QStringLiteral("Total"))) {
                ASSERT_GT(i, 0);
                EXPECT_TRUE(texts[i - 1].contains(QStringLiteral(" line "))) << "page " << p + 1;
            }
            const bool heading = texts[i].startsWith(QStringLiteral("Day ")) &&
                                 !texts[i].contains(QStringLiteral(" line "));
            if (heading) {
                ASSERT_LT(i + 1, texts.size()) << "a heading ends page " << p + 1;
                EXPECT_TRUE(texts[i + 1].contains(QStringLiteral(" line ")));
            }
        }
    }
}
