#include "reporting/engine/reportlayouter.h"
#include "reporting/engine/reportmodel.h"
#include "reporting/engine/reportpainter.h"
#include "reportwindows/reportpreviewwidget.h"

#include <QImage>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// A report of count records: title, page header, a column header, one 20-unit detail band per
// record, a summary and a page footer with the page number.
class TSampleReport {
public:
    explicit TSampleReport(int count) : FCount(count) {
        Model.Title = QStringLiteral("Daily Summary");
        TReportBand& title = Model.AddBand(TBandKind::Title, 56, Qt::lightGray);
        title.AddLabel(QStringLiteral("lblTitle"), 400, 2, 16).Text = Model.Title;
        Model.AddBand(TBandKind::PageHeader, 24, Qt::lightGray)
            .AddLabel(QStringLiteral("lblHeader"), 8, 4)
            .Text = QStringLiteral("Report for: user1");
        TReportBand& columns = Model.AddBand(TBandKind::ColumnHeader, 20);
        columns.AddLabel(QStringLiteral("lblClient"), 8, 2, 8).Text = QStringLiteral("Client");
        columns.AddRule(0, 18, 1047, 18);
        columns.BeforePrint = [this](TReportBand&) { return !SummaryPrinted; };
        TReportBand& detail = Model.AddBand(TBandKind::Detail, 20);
        detail.AddLabel(QStringLiteral("lblLine"), 8, 2, 8);
        detail.BeforePrint = [this](TReportBand& band) {
            band.Label(QStringLiteral("lblLine"))->Text = QStringLiteral("Line %1").arg(FIndex);
            return FIndex % 7 != 3; // some records print nothing
        };
        TReportBand& summary = Model.AddBand(TBandKind::Summary, 24, Qt::lightGray);
        summary.AddLabel(QStringLiteral("lblTotal"), 8, 4, 9).Text = QStringLiteral("Total");
        summary.AfterPrint = [this](TReportBand&) { SummaryPrinted = true; };
        TReportBand& footer = Model.AddBand(TBandKind::PageFooter, 32);
        footer.AddLabel(QStringLiteral("lblPage"), 8, 12);
        footer.BeforePrint = [this](TReportBand& band) {
            band.Label(QStringLiteral("lblPage"))->Text =
                QStringLiteral("Page %1").arg(Layouter.PageNumber());
            return true;
        };
        Model.NextRecord = [this] { return ++FIndex <= FCount; };
    }

    std::vector<TReportPage> AllPages() {
        std::vector<TReportPage> pages;
        TReportPage page;
        while (Layouter.NextPage(page))
            pages.push_back(page);
        return pages;
    }

    TReportModel Model;
    TReportLayouter Layouter{Model};
    bool SummaryPrinted = false;

private:
    int FCount;
    int FIndex = 0;
};

QStringList TextsOf(const TReportPage& page) {
    QStringList texts;
    for (const TPageItem& item : page.Items)
        if (item.Kind == TPageItem::ikText)
            texts.append(item.Text);
    return texts;
}
} // namespace

TEST(ReportEngine, PagesHaveTitleOrHeaderFooterAndUnsplitBands) {
    TSampleReport report(100);
    const std::vector<TReportPage> pages = report.AllPages();
    ASSERT_GE(pages.size(), 3u);
    EXPECT_EQ(pages[0].Bands.front(), TBandKind::Title);
    EXPECT_EQ(pages[1].Bands.front(), TBandKind::PageHeader);
    const double height = TReportLayouter::PrintableHeight(report.Model.Paper);
    EXPECT_NEAR(TReportLayouter::PrintableWidth(TReportPaper::A4()), 1047, 0.5);
    EXPECT_NEAR(TReportLayouter::PrintableWidth(TReportPaper::Letter()), 980, 0.5);
    int lines = 0;
    for (const TReportPage& page : pages) {
        EXPECT_EQ(page.Bands.back(), TBandKind::PageFooter);
        EXPECT_TRUE(TextsOf(page).contains(QStringLiteral("Page %1").arg(page.Number)));
        for (const TPageItem& item : page.Items) {
            EXPECT_LE(item.Rect.bottom(), height + 0.01);
            if (item.Text.startsWith(QStringLiteral("Line ")))
                ++lines;
        }
    }
    EXPECT_EQ(lines, 100 - 14); // records 3, 10, 17, ... printed nothing
    EXPECT_TRUE(TextsOf(pages.back()).contains(QStringLiteral("Total")));
}

TEST(ReportEngine, AColumnHeaderSuppressedAfterTheSummaryAndAShortReport) {
    TSampleReport report(3);
    const std::vector<TReportPage> pages = report.AllPages();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0].Bands,
              (std::vector<TBandKind>{TBandKind::Title, TBandKind::ColumnHeader, TBandKind::Detail,
                                      TBandKind::Detail, TBandKind::Summary,
                                      TBandKind::PageFooter}));
    EXPECT_TRUE(report.Layouter.Finished());
    TReportPage more;
    EXPECT_FALSE(report.Layouter.NextPage(more));
}

TEST(ReportEngine, AStretchingLabelGrowsItsBand) {
    TReportModel model;
    TReportBand& list = model.AddBand(TBandKind::Summary, 38);
    TReportLabel& users = list.AddLabel(QStringLiteral("lblUserList"), 8, 22, 8);
    users.Stretch = true;
    users.Text = QStringLiteral("ann\nbob\ncarol\ndave\nerin");
    int records = 1; // a report of one record, whose summary lists the users
    model.NextRecord = [&records] { return records-- > 0; };
    TReportLayouter layouter(model);
    TReportPage page;
    ASSERT_TRUE(layouter.NextPage(page));
    const TPageItem* label = nullptr;
    for (const TPageItem& item : page.Items)
        if (item.Text.startsWith(QStringLiteral("ann")))
            label = &item;
    ASSERT_NE(label, nullptr);
    TReportLabel oneLine = users;
    oneLine.Text = QStringLiteral("ann");
    EXPECT_GE(label->Rect.height(), 4.5 * TReportLayouter::LabelHeight(oneLine));
    EXPECT_GT(22 + label->Rect.height(), 38.0); // taller than the band's own height
}

TEST(ReportEngine, CancellingStopsBetweenRecords) {
    TSampleReport report(1000);
    TReportPage page;
    ASSERT_TRUE(report.Layouter.NextPage(page));
    report.Layouter.Cancel();
    int more = 0;
    while (report.Layouter.NextPage(page))
        ++more;
    EXPECT_LE(more, 1); // what was measured already is placed, then the report ends
    EXPECT_FALSE(report.SummaryPrinted);
}

TEST(ReportEngine, APdfHoldsThePagesAndTheirText) {
    QTemporaryDir temp;
    const QString file = temp.filePath(QStringLiteral("daily.pdf"));
    TSampleReport report(100);
    int pages = 0;
    ASSERT_TRUE(WriteReportPdf(report.Layouter, report.Model.Paper, file, report.Model.Title,
                               &pages));
    EXPECT_GE(pages, 3);
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return; // the page model above holds the same text
    QProcess extract;
    extract.start(pdftotext, {file, QStringLiteral("-")});
    ASSERT_TRUE(extract.waitForFinished(20000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    EXPECT_TRUE(text.contains(QStringLiteral("Daily Summary")));
    EXPECT_TRUE(text.contains(QStringLiteral("Total")));
    EXPECT_TRUE(text.contains(QStringLiteral("Page %1").arg(pages)));
}

TEST(ReportEngine, ThePreviewShowsPagesAtAZoomOrFitted) {
    TSampleReport report(100);
    TReportPreviewWidget preview;
    preview.resize(800, 600);
    preview.show();
    TReportPage page;
    while (report.Layouter.NextPage(page))
        preview.AddPage(page);
    ASSERT_GE(preview.PageCount(), 3);
    preview.SetZoom(TReportPreviewWidget::TZoom::FitWidth);
    EXPECT_NEAR(preview.PaperRect().width(), preview.viewport()->width() - 24, 1);
    preview.SetZoom(TReportPreviewWidget::TZoom::FitPage);
    EXPECT_LE(preview.PaperRect().height(), preview.viewport()->height() - 24 + 1);
    EXPECT_LE(preview.PaperRect().width(), preview.viewport()->width() - 24 + 1);
    preview.SetZoom(TReportPreviewWidget::TZoom::Factor, 2.0);
    EXPECT_NEAR(preview.Scale(), 2.0 * preview.logicalDpiX() / 96.0, 1e-9);
    preview.SetPage(99);
    EXPECT_EQ(preview.PageIndex(), preview.PageCount() - 1);
    EXPECT_EQ(preview.accessibleDescription(),
              QStringLiteral("Page %1 of %1").arg(preview.PageCount()));
    // What it paints is the page: some dark pixels where the text stands.
    preview.SetZoom(TReportPreviewWidget::TZoom::FitPage);
    preview.SetPage(0);
    const QImage shot = preview.grab().toImage();
    int dark = 0;
    for (int y = 0; y < shot.height(); y += 2)
        for (int x = 0; x < shot.width(); x += 2)
            dark += qGray(shot.pixel(x, y)) < 60;
    EXPECT_GT(dark, 20);
}
