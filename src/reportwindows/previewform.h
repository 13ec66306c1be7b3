#pragma once

#include <functional>

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QToolButton;
class QWidget;
class TBaseReport;
class TReportPreviewWidget;
struct TReportPage;
enum class TToolGlyph;

// The "Preview" window: the pages of a report as the engine makes them, with page buttons,
// a zoom list, and Print, Export and Close. It is made once and reused for every preview;
// between previews it belongs to no report.
class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    explicit TPreviewForm(QWidget* parent = nullptr);
    ~TPreviewForm() override;

    // Starts a run of the report and shows its pages as they come, letting waiting messages
    // through after each one; returns when the report has been made or the window was closed.
    void ShowPreview(TBaseReport& report);
    // ShowPreview, then waits until the window is closed.
    void Preview(TBaseReport& report);
    // The engine made page n (1 for the first).
    void PageAvailable(int n);

    int KnownPages = 0;

    // Replaceable for tests: whether a printer is installed, and where to save a PDF instead.
    std::function<bool()> PrinterInstalled;
    std::function<QString(QWidget* parent)> AskPdfFile;
    std::function<QString(QWidget* parent, const QString& initial)> AskTextFile;

    TReportPreviewWidget* ReportPreview;
    QWidget* pnlControls;
    QToolButton* btnFirst;
    QToolButton* btnPrior;
    QToolButton* btnNext;
    QToolButton* btnLast;
    QLabel* lblPage;
    QComboBox* cmbZoom;
    QPushButton* btnPrint;
    QPushButton* btnExport;
    QPushButton* btnClose;

Q_SIGNALS:
    // After a page arrived and the buttons were brought up to date.
    void PageArrived(int n);

public Q_SLOTS:
    void reject() override; // Close, Esc and the window's close box

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void CreateControls();
    QToolButton* AddPageButton(const char* name, int left, TToolGlyph glyph, const char* hint);
    QPushButton* AddButton(const char* name, const char* caption, const char* hint);
    void FormShow();
    void ArrangeButtons();
    void UpdateNavigation();
    void ShowPage(int index);
    void BuildZoomList();
    void cmbZoomOnChange(int index);
    void btnPrintClick();
    void btnExportClick();
    bool PrintToPdfInstead();
    // Runs print, which makes the report's pages again for the printer.
    bool PrintRun(const std::function<bool()>& print);
    // The page made index-th of a run: new, or in the place of one made by an earlier run.
    void TakePage(TReportPage page, int index);
    void OpeningZoom();
    void Detach();

    TBaseReport* FReport = nullptr;
    bool FProducing = false;
    bool FRunReplaced = false; // Print started a new run: the one being shown must not go on
    bool FBuildingZoomList = false;
    bool FZoomChosen = false; // by the zoom list or the wheel: later previews keep it
};
