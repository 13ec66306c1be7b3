#pragma once

#include "reportwindows/baseselectreportform.h"

class QRadioButton;
class TBaseReport;
class TReportLayouts;

// The "Time Report" window: the report type, the period, whose data, the filters, the printer
// and paper; it previews or prints one report (consolidated over the chosen users) or prints
// one report per chosen user.
class TSelectPrintReportForm : public TBaseSelectReportForm {
    Q_OBJECT
public:
    explicit TSelectPrintReportForm(TReportLayouts& layouts, QWidget* owner = nullptr);

    // Runs the chosen report (for singleUser alone, a folder, in Print Each); false with reason
    // when it was not produced.
    bool RunReport(const QString& singleUser, QString& reason);

    // Replaceable for tests: where a report goes as PDF when no printer is installed.
    std::function<QString(QWidget* parent)> AskPdfFile;
    std::function<QString(QWidget* parent)> AskPdfFolder;
    // Whether a printer is installed.
    std::function<bool()> PrinterInstalled;

    QComboBox* cmbReportType;
    QCheckBox* chkBillingReport;
    QCheckBox* chkShowOvertime;
    QCheckBox* chkRemarks;
    QComboBox* cmbPrinters;
    QRadioButton* btnA4;
    QRadioButton* btnLetter;
    QPushButton* btnPrintEach;

    bool PrintNow = false;

protected:
    bool ShowsLatestEntry() const override { return true; }
    void UpdateControls() override;
    void ShowWindowPart() override;

private:
    void CreateTypeGroup();
    void CreateDisplayControls();
    void CreatePrinterGroup();
    void FillPrinters();
    void cmbReportTypeChange();
    void btnPreviewClick();
    void btnActionClick();
    void btnPrintEachClick();
    // Prints the prepared layout, or without a printer writes it as a PDF file.
    bool Output(TBaseReport& layout, const QString& singleUser);

    TReportLayouts& FLayouts;
    bool FBillingRemembered = false;
    bool FRemarksRemembered = false;
    bool FOvertimeRemembered = true;
    QString FPdfFolder; // Print Each without a printer: where the files go
};
