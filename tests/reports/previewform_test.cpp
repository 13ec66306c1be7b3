#include "base/applocale.h"
#include "base/datalocations.h"
#include "base/messages.h"
#include "reporting/layouts/dailyreport.h"
#include "reporting/reportdata.h"
#include "reportwindows/previewform.h"
#include "reportwindows/reportpreviewwidget.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "reportfixture.h"
#include "testsupport.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QWheelEvent>
#include <QtTest/QTest>

#include <utility>

#include <gtest/gtest.h>

namespace {
QStringList ZoomEntries(const QComboBox& box) {
    QStringList entries;
    for (int i = 0; i < box.count(); ++i)
        entries.append(box.itemText(i));
    return entries;
}

void Wheel(QWidget* target, int notches, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const QPointF at(target->width() / 2.0, target->height() / 2.0);
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}
} // namespace

// The current user's March 2024 with some blocks on each working day: a daily report of
// several pages, or of one page with a single block a day in the first week.
class PreviewForm : public TReportTest {
protected:
    void SetUp() override {
        TReportTest::SetUp();
        Form.PrinterInstalled = [] { return false; };
    }
    void TearDown() override {
        TBaseReport::SetPreviewHandler(nullptr);
        TReportTest::TearDown();
    }
    // One page: a single block on the first week's working days.
    void MakeMonth(int blocksPerDay) {
        TMonth month(2024, 3);
        for (int day = 1; day <= (blocksPerDay == 1 ? 8 : 31); ++day) {
            if (QDate(2024, 3, day).dayOfWeek() > 5)
                continue;
            for (int b = 0; b < blocksPerDay; ++b) {
                TBlock& block = month.DayByNumber(day)->AddBlock(800 + 50 * b, 850 + 50 * b);
                block.Client = QStringLiteral("Acme");
                block.Project = QStringLiteral("Web");
                block.Category = QStringLiteral("Dev");
                block.Activity = QStringLiteral("Code");
                block.Remarks = QStringLiteral("Task %1").arg(b);
                block.Reportable = true;
            }
        }
        month.Save();
        Days = CollectReportDays(QDate(2024, 3, 1), QDate(2024, 3, 31));
        TReportParameters parameters;
        parameters.Days = &Days;
        parameters.PeriodFrom = QDate(2024, 3, 1);
        parameters.PeriodTo = QDate(2024, 3, 31);
        parameters.BreakDownToRemarks = true;
        Report.Initialise(parameters);
    }
    // The pages of a whole run, counted apart from the preview.
    int AllPages() {
        TDailyReportA4 other;
        other.Initialise(Report.Parameters());
        TReportLayouter& layouter = other.StartRun();
        TReportPage page;
        int pages = 0;
        while (layouter.NextPage(page))
            ++pages;
        return pages;
    }
    void Preview() {
        // What Produce checks first: there are lines to print.
        ASSERT_TRUE(Report.ProducePdf(Path(QStringLiteral("first.pdf"))));
        Form.ShowPreview(Report);
    }

    TDailyReportA4 Report;
    TPreviewForm Form;
};

TEST_F(PreviewForm, AOnePageReportLeavesThePageButtonsDisabled) {
    MakeMonth(1);
    ASSERT_EQ(AllPages(), 1);
    Preview();
    EXPECT_TRUE(Form.isVisible());
    EXPECT_TRUE(Form.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(Form.windowTitle(), QStringLiteral("Preview"));
    EXPECT_EQ(Form.KnownPages, 1);
    EXPECT_EQ(Form.lblPage->text(), QStringLiteral("Page 1 of 1"));
    for (QToolButton* button : {Form.btnFirst, Form.btnPrior, Form.btnNext, Form.btnLast})
        EXPECT_FALSE(button->isEnabled()) << button->objectName().toStdString();
    EXPECT_TRUE(Form.btnPrint->isEnabled());
    EXPECT_TRUE(Form.btnExport->isEnabled());
    EXPECT_TRUE(Form.btnClose->isEnabled());
    // The right-hand buttons end 11 apart and 11 from the edge.
    EXPECT_EQ(Form.btnClose->geometry().right() + 1, Form.width() - 11);
    EXPECT_EQ(Form.btnExport->geometry().right() + 1, Form.btnClose->x() - 11);
    EXPECT_EQ(Form.btnPrint->geometry().right() + 1, Form.btnExport->x() - 11);
    EXPECT_EQ(Form.pnlControls->height(), 41);
}

TEST_F(PreviewForm, PagesArriveOneByOneAndNextIsEnabledWithPageTwo) {
    MakeMonth(12);
    const int pages = AllPages();
    ASSERT_GE(pages, 4);
    QStringList labels;
    std::vector<bool> nextEnabled;
    QObject::connect(&Form, &TPreviewForm::PageArrived, [&](int) {
        labels.append(Form.lblPage->text());
        nextEnabled.push_back(Form.btnNext->isEnabled());
    });
    Preview();
    ASSERT_EQ(labels.size(), pages);
    EXPECT_EQ(labels[0], QStringLiteral("Page 1 of 1"));
    EXPECT_EQ(labels[1], QStringLiteral("Page 1 of 2"));
    EXPECT_EQ(labels.back(), QStringLiteral("Page 1 of %1").arg(pages));
    EXPECT_FALSE(nextEnabled[0]);
    EXPECT_TRUE(nextEnabled[1]);
    // Paging through.
    QTest::mouseClick(Form.btnLast, Qt::LeftButton);
    EXPECT_EQ(Form.lblPage->text(), QStringLiteral("Page %1 of %1").arg(pages));
    EXPECT_FALSE(Form.btnNext->isEnabled());
    EXPECT_TRUE(Form.btnFirst->isEnabled());
    QTest::mouseClick(Form.btnPrior, Qt::LeftButton);
    EXPECT_EQ(Form.ReportPreview->PageIndex(), pages - 2);
    QTest::mouseClick(Form.btnFirst, Qt::LeftButton);
    QTest::mouseClick(Form.btnNext, Qt::LeftButton);
    EXPECT_EQ(Form.lblPage->text(), QStringLiteral("Page 2 of %1").arg(pages));
}

TEST_F(PreviewForm, ClosingWhilePagesAreMadeStopsTheReport) {
    MakeMonth(12);
    const int pages = AllPages();
    // A click on Close while page 2 is on its way: a waiting message, seen between pages.
    bool clicked = false;
    QObject::connect(&Form, &TPreviewForm::PageArrived, [&](int n) {
        if (n == 2 && !std::exchange(clicked, true))
            QTimer::singleShot(0, &Form,
                               [&] { QTest::mouseClick(Form.btnClose, Qt::LeftButton); });
    });
    int arrived = 0;
    QObject::connect(&Form, &TPreviewForm::PageArrived, [&](int n) { arrived = n; });
    Preview();
    EXPECT_EQ(arrived, 2);
    EXPECT_LT(arrived, pages);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(Form.KnownPages, 0); // the preview belongs to no report any more
    // Reused for the next preview, which runs in full.
    Form.ShowPreview(Report);
    EXPECT_EQ(Form.KnownPages, pages);
}

TEST_F(PreviewForm, EscapeClosesThePreview) {
    MakeMonth(1);
    Preview();
    QTest::keyClick(&Form, Qt::Key_Escape);
    EXPECT_FALSE(Form.isVisible());
}

TEST_F(PreviewForm, TheZoomListHoldsTheCurrentZoomInOrder) {
    MakeMonth(1);
    Form.ReportPreview->SetZoom(TReportPreviewWidget::TZoom::Factor, 1.5);
    Q_EMIT Form.ReportPreview->ZoomChanged(); // as the wheel does: a zoom the user chose
    Preview();
    EXPECT_EQ(ZoomEntries(*Form.cmbZoom),
              QStringList({"25%", "50%", "100%", "150%", "200%", "Fit Width", "Fit Page"}));
    EXPECT_EQ(Form.cmbZoom->currentText(), QStringLiteral("150%"));
    Form.ReportPreview->SetZoom(TReportPreviewWidget::TZoom::Factor, 0.1);
    Form.ShowPreview(Report);
    EXPECT_EQ(ZoomEntries(*Form.cmbZoom),
              QStringList({"10%", "25%", "50%", "100%", "200%", "Fit Width", "Fit Page"}));
    EXPECT_EQ(Form.cmbZoom->currentText(), QStringLiteral("10%"));
    Form.ReportPreview->SetZoom(TReportPreviewWidget::TZoom::Factor, 3.0);
    Form.ShowPreview(Report);
    EXPECT_EQ(ZoomEntries(*Form.cmbZoom).indexOf(QStringLiteral("300%")), 4);
    // Choosing entries.
    Form.cmbZoom->setCurrentText(QStringLiteral("Fit Page"));
    EXPECT_EQ(Form.ReportPreview->Zoom(), TReportPreviewWidget::TZoom::FitPage);
    Form.cmbZoom->setCurrentText(QStringLiteral("Fit Width"));
    EXPECT_EQ(Form.ReportPreview->Zoom(), TReportPreviewWidget::TZoom::FitWidth);
    EXPECT_NEAR(Form.ReportPreview->PaperRect().width(),
                Form.ReportPreview->viewport()->width() - 24, 1);
    Form.cmbZoom->setCurrentText(QStringLiteral("50%"));
    EXPECT_EQ(Form.ReportPreview->ZoomPercent(), 50);
}

TEST_F(PreviewForm, TheWheelScrollsAndTurnsPagesAndWithCtrlZooms) {
    MakeMonth(12);
    Preview();
    Form.cmbZoom->setCurrentText(QStringLiteral("200%"));
    QWidget* view = Form.ReportPreview->viewport();
    QScrollBar* bar = Form.ReportPreview->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    Wheel(view, -1);
    EXPECT_GT(bar->value(), 0); // scrolled down the page
    EXPECT_EQ(Form.ReportPreview->PageIndex(), 0);
    bar->setValue(bar->maximum());
    Wheel(view, -1); // past the bottom: the next page, from its top
    EXPECT_EQ(Form.ReportPreview->PageIndex(), 1);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(Form.lblPage->text(), QStringLiteral("Page 2 of %1").arg(Form.KnownPages));
    Wheel(view, 1); // above the top: back to the end of page 1
    EXPECT_EQ(Form.ReportPreview->PageIndex(), 0);
    EXPECT_EQ(bar->value(), bar->maximum());
    Wheel(view, -1, Qt::ControlModifier); // zooms out by a step
    EXPECT_EQ(Form.ReportPreview->ZoomPercent(), 160);
    EXPECT_EQ(Form.cmbZoom->currentText(), QStringLiteral("160%"));
    EXPECT_EQ(Form.ReportPreview->PageIndex(), 0);
}

TEST_F(PreviewForm, PrintWithoutAPrinterOffersAPdfFile) {
    MakeMonth(1);
    Preview();
    const QString pdf = Path(QStringLiteral("report.pdf"));
    Form.AskPdfFile = [&pdf](QWidget*) { return pdf; };
    Messages->Answer = mrNo;
    QTest::mouseClick(Form.btnPrint, Qt::LeftButton);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Messages->Shown[0].Text.startsWith(QStringLiteral("No printer is installed.")));
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(Form.isVisible()); // No leaves the preview as it was
    EXPECT_TRUE(Form.btnPrint->isEnabled());
    Messages->Answer = mrYes;
    QTest::mouseClick(Form.btnPrint, Qt::LeftButton);
    EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF-"));
    EXPECT_FALSE(Form.isVisible());
}

TEST_F(PreviewForm, ExportSavesTheTextAndClosesOrStaysAfterAFailure) {
    MakeMonth(1);
    Preview();
    Form.AskTextFile = [this](QWidget*, const QString&) {
        return Path(QStringLiteral("missing/report.txt"));
    };
    QTest::mouseClick(Form.btnExport, Qt::LeftButton);
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Messages->Shown.back().Text,
              QStringLiteral("Unable to save file - another application may be using it"));
    const QString text = Path(QStringLiteral("report.txt"));
    Form.AskTextFile = [&text](QWidget*, const QString&) { return text; };
    QTest::mouseClick(Form.btnExport, Qt::LeftButton);
    EXPECT_FALSE(Form.isVisible());
    EXPECT_EQ(ReadFile(text).count("Daily Summary Report for: ann"), 1);
}

TEST_F(PreviewForm, ProducingAPreviewReturnsWhenTheWindowIsClosed) {
    MakeMonth(1);
    TBaseReport::SetPreviewHandler([this](TBaseReport& report) { Form.Preview(report); });
    bool shownWhileWaiting = false;
    QTimer::singleShot(50, &Form, [&] {
        shownWhileWaiting = Form.isVisible() && Form.KnownPages == 1;
        QTest::mouseClick(Form.btnClose, Qt::LeftButton);
    });
    EXPECT_TRUE(Report.Produce(false));
    EXPECT_TRUE(shownWhileWaiting);
    EXPECT_FALSE(Form.isVisible());
}

TEST_F(PreviewForm, HintsFollowThePersonalSetting) {
    MakeMonth(1);
    PersonalSettings().Setup.ShowHints = true;
    Preview();
    EXPECT_EQ(Form.btnFirst->toolTip(), QStringLiteral("Go to first page"));
    EXPECT_EQ(Form.cmbZoom->toolTip(), QStringLiteral("Select preview size"));
    EXPECT_EQ(Form.btnClose->toolTip(),
              QStringLiteral("Close the previewed report and return to the Time Report Form"));
    Form.close();
    PersonalSettings().Setup.ShowHints = false;
    Form.ShowPreview(Report);
    EXPECT_TRUE(Form.btnFirst->toolTip().isEmpty());
}

TEST_F(PreviewForm, PrintWhilePagesAreStillMadeStopsThePreviewsRunAndPrintsInFull) {
    MakeMonth(12);
    const QString pdf = Path(QStringLiteral("printed.pdf"));
    Form.AskPdfFile = [&pdf](QWidget*) { return pdf; };
    Messages->Answer = mrYes;
    int arrived = 0;
    QObject::connect(&Form, &TPreviewForm::PageArrived, [&](int n) {
        arrived = n;
        if (n == 2)
            QTimer::singleShot(0, &Form,
                               [&] { QTest::mouseClick(Form.btnPrint, Qt::LeftButton); });
    });
    Preview();
    EXPECT_EQ(arrived, 2); // the preview's run went no further
    EXPECT_FALSE(Form.isVisible());
    const QByteArray printed = ReadFile(pdf);
    ASSERT_TRUE(printed.startsWith("%PDF-"));
    // Every page object of the file: "/Type /Page", not "/Type /Pages".
    const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?!s)"));
    EXPECT_EQ(QString::fromLatin1(printed).count(page), AllPages());
}

TEST_F(PreviewForm, TheWindowOpensOnPageOneFittedToTheWidthOfTheWindow) {
    MakeMonth(12);
    // What the window shows as soon as it is on the screen, before any other page is made.
    QString firstLabel;
    bool firstVisible = false;
    QTimer::singleShot(0, &Form, [&] {
        firstLabel = Form.lblPage->text();
        firstVisible = Form.isVisible();
    });
    Preview();
    EXPECT_TRUE(firstVisible);
    EXPECT_EQ(firstLabel, QStringLiteral("Page 1 of 1"));
    // The maximised window of the test screen is narrower than the page at its true size:
    // the whole width is shown, the number columns included.
    ASSERT_TRUE(Form.ReportPreview->NarrowerThanPaper());
    EXPECT_EQ(Form.ReportPreview->Zoom(), TReportPreviewWidget::TZoom::FitWidth);
    EXPECT_LE(Form.ReportPreview->PaperRect().right(), Form.ReportPreview->viewport()->width());
    EXPECT_EQ(Form.cmbZoom->currentText(),
              QString::number(Form.ReportPreview->ZoomPercent()) + QLatin1Char('%'));
    // A zoom the user chooses is kept for the next preview.
    Form.cmbZoom->setCurrentText(QStringLiteral("100%"));
    Form.close();
    Form.ShowPreview(Report);
    EXPECT_EQ(Form.ReportPreview->Zoom(), TReportPreviewWidget::TZoom::Factor);
    EXPECT_EQ(Form.ReportPreview->ZoomPercent(), 100);
}

TEST_F(PreviewForm, PrintAnsweredNoWhilePagesAreMadeLetsThePreviewGoOn) {
    MakeMonth(12);
    const int pages = AllPages();
    Messages->Answer = mrNo; // no PDF file instead of a printer
    bool clicked = false;
    QObject::connect(&Form, &TPreviewForm::PageArrived, [&](int n) {
        if (n == 2 && !std::exchange(clicked, true))
            QTimer::singleShot(0, &Form,
                               [&] { QTest::mouseClick(Form.btnPrint, Qt::LeftButton); });
    });
    Preview();
    ASSERT_TRUE(clicked);
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Form.KnownPages, pages); // every page, the totals' included
    QTest::mouseClick(Form.btnLast, Qt::LeftButton);
    EXPECT_EQ(Form.lblPage->text(), QStringLiteral("Page %1 of %1").arg(pages));
}

TEST_F(PreviewForm, APrintThatFailsWhilePagesAreMadeMakesThePreviewsPagesAnew) {
    MakeMonth(12);
    const int pages = AllPages();
    Messages->Answer = mrYes;
    Form.AskPdfFile = [this](QWidget*) { return Path(QStringLiteral("missing/report.pdf")); };
    bool clicked = false;
    QObject::connect(&Form, &TPreviewForm::PageArrived, [&](int n) {
        if (n == 2 && !std::exchange(clicked, true))
            QTimer::singleShot(0, &Form,
                               [&] { QTest::mouseClick(Form.btnPrint, Qt::LeftButton); });
    });
    Preview();
    ASSERT_TRUE(clicked);
    EXPECT_EQ(Messages->Shown.back().Text,
              QStringLiteral("Unable to save file - another application may be using it"));
    EXPECT_TRUE(Form.isVisible());
    EXPECT_EQ(Form.KnownPages, pages);
    EXPECT_TRUE(Form.btnPrint->isEnabled());
    // The text saved from it is whole, made by the run that ended the preview.
    const QString text = Path(QStringLiteral("after.txt"));
    Form.AskTextFile = [&text](QWidget*, const QString&) { return text; };
    QTest::mouseClick(Form.btnExport, Qt::LeftButton);
    EXPECT_EQ(ReadFile(text).count("Daily Summary Report for: ann"), 1);
}
