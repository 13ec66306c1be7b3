#include "reportfixture.h"
#include "reporting/layouts/dailyreport.h"
#include "reporting/engine/reportfont.h"
#include "reporting/layouts/reportlayouts.h"

#include <QFontMetricsF>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>
#include <algorithm>
#include <map>
#include <tuple>

#include <gtest/gtest.h>

namespace {
const QChar Ellipsis(0x2026);
constexpr double Tolerance = 0.01;

// The report font measured on its own, at 96 dots per inch as the pages are laid out.
double MeasuredWidth(const TPageItem& item, const QString& line) {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        image.setDotsPerMeterX(3780); // 96 dots per inch
        image.setDotsPerMeterY(3780);
        return image;
    }();
    static std::map<std::tuple<double, bool, bool>, QFontMetricsF> metrics;
    const auto key = std::make_tuple(item.PointSize, item.Bold, item.Italic);
    auto found = metrics.find(key);
    if (found == metrics.end())
        found = metrics
                    .emplace(key, QFontMetricsF(ReportFont(item.PointSize, item.Bold, item.Italic),
                                                &device))
                    .first;
    return found->second.horizontalAdvance(line);
}

double WidestLine(const TPageItem& item) {
    double widest = 0;
    for (const QString& line : item.Text.split(QLatin1Char('\n')))
        widest = std::max(widest, MeasuredWidth(item, line));
    return widest;
}

// Where the drawn text of an item begins and ends.
struct TExtent {
    const TPageItem* Item;
    double Left;
    double Right;
};

TExtent DrawnExtent(const TPageItem& item) {
    const double width = WidestLine(item);
    switch (item.Alignment) {
    case TTextAlignment::Right:
        return {&item, item.Rect.right() - width, item.Rect.right()};
    case TTextAlignment::Centre:
        return {&item, item.Rect.center().x() - width / 2, item.Rect.center().x() + width / 2};
    case TTextAlignment::Left:
        break;
    }
    return {&item, item.Rect.left(), item.Rect.left() + width};
}

std::string Describe(const TPageItem& item, int page) {
    return (item.Name + QStringLiteral(" \"") + item.Text + QStringLiteral("\" on page ") +
            QString::number(page))
        .toStdString();
}

// Every text of the page fits its box and the band; a number, a heading or a caption (texts
// not aligned left) is never cut; no two texts of a row run into each other.
void ExpectEveryTextFits(const TReportPage& page, double bandWidth, const std::string& layout) {
    std::vector<TExtent> texts;
    for (const TPageItem& item : page.Items) {
        if (item.Kind != TPageItem::ikText)
            continue;
        const std::string what = layout + ": " + Describe(item, page.Number);
        EXPECT_FALSE(item.Text.isEmpty()) << what;
        EXPECT_LE(WidestLine(item), item.Rect.width() + Tolerance) << what;
        // The design's band is 1047 (980) units wide, the paper's printable width a little less.
        EXPECT_GE(item.Rect.left(), -Tolerance) << what;
        EXPECT_LE(item.Rect.right(), std::ceil(bandWidth) + Tolerance) << what;
        if (item.Alignment != TTextAlignment::Left) {
            EXPECT_FALSE(item.Text.contains(Ellipsis)) << what;
        }
        texts.push_back(DrawnExtent(item));
    }
    std::sort(texts.begin(), texts.end(), [](const TExtent& a, const TExtent& b) {
        return a.Item->Rect.top() < b.Item->Rect.top();
    });
    for (std::size_t i = 0; i < texts.size(); ++i)
        for (std::size_t j = i + 1;
             j < texts.size() && texts[j].Item->Rect.top() < texts[i].Item->Rect.bottom() - 0.5;
             ++j) {
            const TExtent& a = texts[i].Left <= texts[j].Left ? texts[i] : texts[j];
            const TExtent& b = &a == &texts[i] ? texts[j] : texts[i];
            if (a.Right > b.Left - 1) {
                ADD_FAILURE() << layout << ": " << Describe(*a.Item, page.Number) << " runs into "
                              << Describe(*b.Item, page.Number);
            }
        }
}

// Runs a program's command and gives what it wrote; empty when the tool is not installed.
QString Output(const QString& tool, const QStringList& arguments) {
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty())
        return {};
    QProcess process;
    process.start(program, arguments);
    EXPECT_TRUE(process.waitForFinished(60000));
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

// March 2024 of the current user with long names and remarks, every billing code, overtime and
// a hundred hours at a rate that brings the billing totals past a million; 40 blocks a day,
// so that days go on over pages.
class RenderedPages : public TReportTest {
protected:
    void SetUp() override {
        TReportTest::SetUp();
        TMonth month(2024, 3);
        const TBillingCode codes[] = {bcHourlyRate, bcFixedPrice, bcContract, bcFreeOfCharge};
        for (int day = 1; day <= 31; ++day) {
            if (QDate(2024, 3, day).dayOfWeek() > 5)
                continue;
            for (int b = 0; b < 40; ++b) {
                const QString remark = QStringLiteral("Remark %1 written out at some length to "
                                                      "see where the remarks column ends")
                                           .arg(b);
                TBlock& block = Add(month, day, 25 * b, 25 * b + 25,
                                    b % 3 ? "Acme Corporation International Holdings" : "Zeta",
                                    remark.toUtf8().constData(),
                                    b % 2 ? "Website Redesign and Relaunch Project" : "Web");
                block.Category = QStringLiteral("Documentation and Writing");
                block.Activity = QStringLiteral("Release Notes for Customers");
                block.OverTime = b % 5 == 0;
                if (b % 4 != 3)
                    Bill(block, codes[b % 4], b % 4 == 0 ? 48000 : 250);
            }
        }
        month.Save();
    }
    void RunLayout(TBaseReport& report, bool overtime, bool remarks) {
        const bool weekly = report.Title() == QStringLiteral("Weekly Activity");
        Run(report, QDate(2024, 3, weekly ? 4 : 1), QDate(2024, 3, weekly ? 10 : 31), overtime,
            remarks);
        TReportParameters parameters = report.Parameters();
        parameters.Users = &Users;
        report.Initialise(parameters);
    }
    // The pages of a run, laid out.
    static std::vector<TReportPage> Pages(TBaseReport& report) {
        std::vector<TReportPage> pages;
        TReportLayouter& layouter = report.StartRun();
        TReportPage page;
        while (layouter.NextPage(page))
            pages.push_back(page);
        return pages;
    }
    static const TPageItem* Find(const std::vector<TReportPage>& pages, const QString& name) {
        for (const TReportPage& page : pages)
            for (const TPageItem& item : page.Items)
                if (item.Name == name)
                    return &item;
        return nullptr;
    }
    // Two users, so that the user list is printed after the totals.
    const QStringList Users{QStringLiteral("/server/Data/ann/"),
                            QStringLiteral("/server/Data/bartholomew-the-second/")};
};

TEST_F(RenderedPages, EveryFieldsTextFitsItsBoxInEveryLayout) {
    ASSERT_TRUE(ReportFontsRegistered());
    for (TReportKind kind : {TReportKind::Daily, TReportKind::WeeklyActivity, TReportKind::Activity,
                             TReportKind::Overtime})
        for (bool billing : {false, true})
            for (bool letter : {false, true})
                for (bool overtime : {false, true})
                    for (bool remarks : {false, true}) {
                        if (billing && kind == TReportKind::WeeklyActivity)
                            continue;
                        const std::unique_ptr<TBaseReport> report =
                            NewReportLayout(kind, billing, letter);
                        RunLayout(*report, overtime, remarks);
                        const std::string layout =
                            (report->Title() + (billing ? QStringLiteral(" billing") : QString()) +
                             (letter ? QStringLiteral(" Letter") : QStringLiteral(" A4")) +
                             (overtime ? QStringLiteral(" overtime") : QString()) +
                             (remarks ? QStringLiteral(" remarks") : QString()))
                                .toStdString();
                        const std::vector<TReportPage> pages = Pages(*report);
                        ASSERT_FALSE(pages.empty()) << layout;
                        const double width = TReportLayouter::PrintableWidth(report->Model().Paper);
                        for (const TReportPage& page : pages)
                            ExpectEveryTextFits(page, width, layout);
                    }
}

TEST_F(RenderedPages, HeadingsCaptionsAndDatesAreWhole) {
    TDailyReportA4 daily;
    RunLayout(daily, true, true);
    const std::vector<TReportPage> pages = Pages(daily);
    ASSERT_GT(pages.size(), 3u);
    QStringList texts;
    for (const TReportPage& page : pages)
        for (const TPageItem& item : page.Items)
            texts.append(item.Text);
    EXPECT_TRUE(texts.contains(QStringLiteral("Overtime")));
    EXPECT_TRUE(texts.contains(QStringLiteral("01/03/2024")));
    EXPECT_TRUE(texts.contains(QStringLiteral("01/03/2024 (continued)")));
    EXPECT_TRUE(texts.contains(daily.PeriodCaption())); // in the page header of page 2 on
    EXPECT_TRUE(texts.contains(daily.UserCaption()));
    // Long names are cut with an ellipsis, never in the middle of a letter.
    bool cut = false;
    for (const QString& text : texts)
        if (text.startsWith(QStringLiteral("Acme Corp")) && text != QStringLiteral("Acme Corporation "
                                                                                   "International Holdings")) {
            EXPECT_TRUE(text.endsWith(Ellipsis)) << text.toStdString();
            cut = true;
        }
    EXPECT_TRUE(cut);
    const TPageItem* subTotal = Find(pages, QStringLiteral("lblDailySubTotal"));
    ASSERT_NE(subTotal, nullptr);
    EXPECT_TRUE(subTotal->Italic);
    EXPECT_FALSE(subTotal->Bold);
    EXPECT_TRUE(Find(pages, QStringLiteral("lblNormalSubTotal"))->Bold);
}

TEST_F(RenderedPages, ABillingTotalOverAMillionIsDrawnWholeWithItsSymbol) {
    for (bool letter : {false, true}) {
        const std::unique_ptr<TBaseReport> report =
            NewReportLayout(TReportKind::Daily, true, letter);
        RunLayout(*report, true, false);
        const std::vector<TReportPage> pages = Pages(*report);
        const TPageItem* total = Find(pages, QStringLiteral("lblExtendedTotal"));
        ASSERT_NE(total, nullptr);
        // 21 working days of ten quarters of an hour at 48000 an hour: $2520000.00 and more.
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\$\\d{7,}\\.\\d\\d$"))
                        .match(total->Text)
                        .hasMatch())
            << total->Text.toStdString();
        EXPECT_DOUBLE_EQ(total->Rect.right(), letter ? 972 : 1039);
        EXPECT_LE(WidestLine(*total), total->Rect.width() + Tolerance);

        // The PDF draws it where the page says, whole: one word with its symbol.
        const QString pdf = Path(letter ? QStringLiteral("letter.pdf") : QStringLiteral("a4.pdf"));
        ASSERT_TRUE(report->WritePreparedPdf(pdf));
        const QString words =
            Output(QStringLiteral("pdftotext"),
                   {QStringLiteral("-f"), QString::number(pages.size()), QStringLiteral("-bbox"),
                    pdf, QStringLiteral("-")});
        if (words.isEmpty())
            continue; // poppler-utils is not installed: the page model above must do
        const QRegularExpression word(
            QStringLiteral("xMin=\"([\\d.]+)\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\"[^>]*>") +
            QRegularExpression::escape(total->Text) + QStringLiteral("<"));
        const QRegularExpressionMatch found = word.match(words);
        ASSERT_TRUE(found.hasMatch()) << words.toStdString();
        // Points from the paper's edge to layout units from the printable area's.
        const auto units = [](const QString& points) {
            return points.toDouble() * 96 / 72 - 10 / 25.4 * 96;
        };
        EXPECT_NEAR(units(found.captured(2)), total->Rect.right(), 1.0);
        EXPECT_GE(units(found.captured(1)), total->Rect.left() - 1.0);
        EXPECT_FALSE(words.contains(QRegularExpression(QStringLiteral(">[^<]*\\$[^<]*\\$"))))
            << "two amounts run together";
    }
}

TEST_F(RenderedPages, PdfFilesEmbedTheReportFaces) {
    TDailyBillingReportA4 report;
    RunLayout(report, true, false);
    const QString pdf = Path(QStringLiteral("fonts.pdf"));
    ASSERT_TRUE(report.WritePreparedPdf(pdf));
    const QString fonts = Output(QStringLiteral("pdffonts"), {pdf});
    if (fonts.isEmpty())
        GTEST_SKIP() << "pdffonts is not installed";
    for (const char* face : {"LiberationSans ", "LiberationSans-Bold ", "LiberationSans-Italic "}) {
        const QString line = fonts.split(QLatin1Char('\n')).filter(QString::fromLatin1(face)).value(0);
        EXPECT_TRUE(line.contains(QRegularExpression(QStringLiteral("\\byes\\b")))) << face;
    }
}
