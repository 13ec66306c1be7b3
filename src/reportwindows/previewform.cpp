#include "previewform.h"

#include "base/messages.h"
#include "base/waitingmessages.h"
#include "reporting/layouts/basereport.h"
#include "reportwindows/reportpreviewwidget.h"
#include "reportwindows/reporttextsaving.h"
#include "storage/settings/personalsettings.h"
#include "widgets/toolglyphs.h"

#include <QComboBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {
constexpr int PanelHeight = 41;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int Gap = 11;
constexpr int ZoomLeft = 206;
constexpr int ZoomWidth = 76;

QString AskPdfFileWithDialog(QWidget* parent) {
    QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Save Report as PDF"),
                                                QString(), QStringLiteral("PDF File (*.pdf)"));
    if (!name.isEmpty() && !name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        name += QStringLiteral(".pdf");
    return name;
}

// The number in front of "%", or 0 for the fitting entries.
int PercentOf(const QString& entry) {
    return entry.endsWith(QLatin1Char('%')) ? entry.chopped(1).toInt() : 0;
}
} // namespace

TPreviewForm::TPreviewForm(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(QStringLiteral("Preview"));
    setWindowModality(Qt::ApplicationModal);
    PrinterInstalled = [] { return !QPrinterInfo::availablePrinters().isEmpty(); };
    AskPdfFile = AskPdfFileWithDialog;
    AskTextFile = AskReportFileWithDialog;
    CreateControls();
    resize(780, 572);
    setMinimumSize(ZoomLeft + ZoomWidth + Gap + 3 * (ButtonWidth + Gap), 3 * PanelHeight);
}

TPreviewForm::~TPreviewForm() {
    if (FReport)
        FReport->Cancel();
}

void TPreviewForm::CreateControls() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ReportPreview = new TReportPreviewWidget(this);
    layout->addWidget(ReportPreview, 1);
    pnlControls = new QWidget(this);
    pnlControls->setObjectName(QStringLiteral("pnlControls"));
    pnlControls->setFixedHeight(PanelHeight);
    layout->addWidget(pnlControls);
    auto* line = new QFrame(pnlControls);
    line->setObjectName(QStringLiteral("bvlControls"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setGeometry(0, 0, 4000, 2);
    btnFirst = AddPageButton("btnFirst", 8, TToolGlyph::FirstPage, "Go to first page");
    btnPrior = AddPageButton("btnPrior", 33, TToolGlyph::PriorPage, "Go to previous page");
    btnNext = AddPageButton("btnNext", 58, TToolGlyph::NextPage, "Go to next page");
    btnLast = AddPageButton("btnLast", 83, TToolGlyph::LastPage, "Go to last page");
    connect(btnFirst, &QToolButton::clicked, this, [this] { ShowPage(0); });
    connect(btnPrior, &QToolButton::clicked, this,
            [this] { ShowPage(ReportPreview->PageIndex() - 1); });
    connect(btnNext, &QToolButton::clicked, this,
            [this] { ShowPage(ReportPreview->PageIndex() + 1); });
    connect(btnLast, &QToolButton::clicked, this, [this] { ShowPage(KnownPages - 1); });
    lblPage = new QLabel(pnlControls);
    lblPage->setObjectName(QStringLiteral("lblPage"));
    lblPage->setGeometry(119, 12, ZoomLeft - 119 - 6, 17);
    cmbZoom = new QComboBox(pnlControls);
    cmbZoom->setObjectName(QStringLiteral("cmbZoom"));
    cmbZoom->setAccessibleName(QStringLiteral("Zoom"));
    cmbZoom->setProperty("hint", QStringLiteral("Select preview size"));
    cmbZoom->setGeometry(ZoomLeft, 9, ZoomWidth, 23);
    connect(cmbZoom, &QComboBox::currentIndexChanged, this,
            [this](int index) { cmbZoomOnChange(index); });
    btnPrint = AddButton("btnPrint", "Print",
                         "Print the previewed report and return to the Time Report Form");
    btnExport = AddButton("btnExport", "Export",
                          "Export the previewed report and return to the Time Report Form");
    btnClose = AddButton("btnClose", "Close",
                         "Close the previewed report and return to the Time Report Form");
    connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
    connect(btnExport, &QPushButton::clicked, this, [this] { btnExportClick(); });
    connect(btnClose, &QPushButton::clicked, this, [this] { reject(); });
    connect(ReportPreview, &TReportPreviewWidget::PageChanged, this, [this] { UpdateNavigation(); });
    connect(ReportPreview, &TReportPreviewWidget::FittedZoomChanged, this, [this] {
        if (KnownPages > 0)
            BuildZoomList(); // the list shows the zoom the page is drawn at
    });
    connect(ReportPreview, &TReportPreviewWidget::ZoomChanged, this, [this] {
        FZoomChosen = true;
        BuildZoomList();
    });
}

QToolButton* TPreviewForm::AddPageButton(const char* name, int left, TToolGlyph glyph,
                                         const char* hint) {
    auto* button = new QToolButton(pnlControls);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setIcon(ToolGlyph(glyph));
    button->setIconSize(QSize(16, 16));
    button->setGeometry(left, (PanelHeight - ButtonHeight) / 2 + 1, 25, 25);
    button->setAccessibleName(QString::fromLatin1(hint));
    button->setProperty("hint", QString::fromLatin1(hint));
    return button;
}

QPushButton* TPreviewForm::AddButton(const char* name, const char* caption, const char* hint) {
    auto* button = new QPushButton(QString::fromLatin1(caption), pnlControls);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    button->setProperty("hint", QString::fromLatin1(hint));
    button->resize(ButtonWidth, ButtonHeight);
    return button;
}

void TPreviewForm::ShowPreview(TBaseReport& report) {
    FReport = &report;
    FRunReplaced = false;
    KnownPages = 0;
    ReportPreview->Clear();
    ReportPreview->SetPaper(report.Model().Paper);
    TReportLayouter* layouter = &report.StartRun();
    TReportPage page;
    // The first page is made before the window shows, so that it opens on it.
    if (!layouter->NextPage(page)) {
        ShowMessageBox(QStringLiteral("There are no hours to report"), TMsgKind::Warning, mbOK);
        FReport = nullptr;
        return;
    }
    ReportPreview->AddPage(std::move(page));
    KnownPages = 1;
    FormShow();
    showMaximized();
    OpeningZoom();
    FProducing = true;
    PageAvailable(1);
    LetWaitingMessagesThrough();
    int made = 1;
    while (isVisible()) {
        if (std::exchange(FRunReplaced, false)) {
            // Printing ran the report again and the preview stayed open: its pages are made
            // anew from the first, in the places of those shown.
            layouter = &report.StartRun();
            made = 0;
        }
        page = TReportPage();
        if (!layouter->NextPage(page))
            break;
        TakePage(std::move(page), made++);
        LetWaitingMessagesThrough();
    }
    FProducing = false;
    if (!isVisible())
        Detach();
}

void TPreviewForm::TakePage(TReportPage page, int index) {
    if (index < ReportPreview->PageCount()) {
        ReportPreview->ReplacePage(index, std::move(page));
        return;
    }
    ReportPreview->AddPage(std::move(page));
    PageAvailable(ReportPreview->PageCount());
}

void TPreviewForm::OpeningZoom() {
    // Unless the user has chosen a zoom, a window narrower than the page shows its whole width.
    if (!FZoomChosen && ReportPreview->NarrowerThanPaper())
        ReportPreview->SetZoom(TReportPreviewWidget::TZoom::FitWidth);
}

void TPreviewForm::Preview(TBaseReport& report) {
    ShowPreview(report);
    if (!isVisible())
        return;
    QEventLoop loop;
    connect(this, &QDialog::finished, &loop, &QEventLoop::quit);
    loop.exec();
}

void TPreviewForm::FormShow() {
    ArrangeButtons();
    UpdateNavigation();
    btnPrint->setEnabled(false);
    btnExport->setEnabled(false);
    btnClose->setEnabled(true);
    const bool hints = PersonalSettings().Setup.ShowHints;
    for (QWidget* control : pnlControls->findChildren<QWidget*>())
        control->setToolTip(hints ? control->property("hint").toString() : QString());
}

void TPreviewForm::PageAvailable(int n) {
    if (n == 1)
        BuildZoomList();
    if (n > KnownPages) {
        KnownPages = n;
        UpdateNavigation();
    }
    btnPrint->setEnabled(true);
    btnExport->setEnabled(true);
    Q_EMIT PageArrived(n);
}

void TPreviewForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    ArrangeButtons();
}

void TPreviewForm::ArrangeButtons() {
    const int top = (PanelHeight - ButtonHeight) / 2 + 1;
    int right = width() - Gap;
    for (QPushButton* button : {btnClose, btnExport, btnPrint}) {
        button->move(right - ButtonWidth, top);
        right -= ButtonWidth + Gap;
    }
}

void TPreviewForm::UpdateNavigation() {
    const int shown = KnownPages > 0 ? ReportPreview->PageIndex() + 1 : 0;
    btnFirst->setEnabled(shown > 1);
    btnPrior->setEnabled(shown > 1);
    btnNext->setEnabled(shown < KnownPages);
    btnLast->setEnabled(shown < KnownPages);
    lblPage->setText(QStringLiteral("Page %1 of %2").arg(shown).arg(KnownPages));
}

void TPreviewForm::ShowPage(int index) {
    if (index < 0 || index >= KnownPages)
        return;
    ReportPreview->SetPage(index);
    UpdateNavigation();
}

void TPreviewForm::BuildZoomList() {
    FBuildingZoomList = true;
    cmbZoom->clear();
    cmbZoom->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("100%"),
                       QStringLiteral("200%"), QStringLiteral("Fit Width"),
                       QStringLiteral("Fit Page")});
    const int zoom = ReportPreview->ZoomPercent();
    const QString current = QString::number(zoom) + QLatin1Char('%');
    if (cmbZoom->findText(current) < 0) {
        int at = 0;
        if (zoom > 24) {
            at = cmbZoom->findText(QStringLiteral("Fit Width"));
            for (int i = 0; i < at; ++i)
                if (PercentOf(cmbZoom->itemText(i)) > zoom) {
                    at = i;
                    break;
                }
        }
        cmbZoom->insertItem(at, current);
    }
    const int found = cmbZoom->findText(current);
    cmbZoom->setCurrentIndex(found >= 0 ? found : 3);
    FBuildingZoomList = false;
}

void TPreviewForm::cmbZoomOnChange(int index) {
    if (FBuildingZoomList || index < 0)
        return;
    FZoomChosen = true;
    const QString entry = cmbZoom->itemText(index);
    if (!entry.startsWith(QLatin1Char('F')))
        ReportPreview->SetZoom(TReportPreviewWidget::TZoom::Factor, PercentOf(entry) / 100.0);
    else if (entry.contains(QStringLiteral("Width")))
        ReportPreview->SetZoom(TReportPreviewWidget::TZoom::FitWidth);
    else
        ReportPreview->SetZoom(TReportPreviewWidget::TZoom::FitPage);
    ReportPreview->viewport()->update();
}

void TPreviewForm::btnPrintClick() {
    if (!FReport)
        return;
    btnPrint->setEnabled(false);
    btnExport->setEnabled(false);
    const bool printed = PrinterInstalled() ? PrintRun([this] { return FReport->PrintPrepared(); })
                                            : PrintToPdfInstead();
    if (printed) {
        accept();
        Detach();
        return;
    }
    btnPrint->setEnabled(true);
    btnExport->setEnabled(true);
}

// Without any printer the report can still go on paper later: as a PDF file.
bool TPreviewForm::PrintToPdfInstead() {
    if (ShowMessageBox(QStringLiteral("No printer is installed. Save the report as a PDF file "
                                      "instead?"),
                       TMsgKind::Confirmation, mbYes | mbNo) != mrYes)
        return false;
    const QString file = AskPdfFile(this);
    if (file.isEmpty())
        return false;
    if (PrintRun([this, &file] { return FReport->WritePreparedPdf(file); }))
        return true;
    ShowMessageBox(QStringLiteral("Unable to save file - another application may be using it"),
                   TMsgKind::Error, mbOK);
    return false;
}

bool TPreviewForm::PrintRun(const std::function<bool()>& print) {
    // Printing runs the report again: the preview's own run cannot go on from where it was.
    FRunReplaced = FRunReplaced || FProducing;
    return print();
}

void TPreviewForm::btnExportClick() {
    if (FReport && SaveReportText(*FReport, this, AskTextFile)) {
        accept();
        Detach();
    }
}

void TPreviewForm::reject() {
    if (FReport)
        FReport->Cancel();
    QDialog::reject();
    if (!FProducing)
        Detach();
}

void TPreviewForm::Detach() {
    if (!FProducing) {
        FReport = nullptr;
        ReportPreview->Clear();
        KnownPages = 0;
    }
}
