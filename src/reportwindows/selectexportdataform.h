#pragma once

#include "export/exportformatfiles.h"
#include "reportwindows/baseselectreportform.h"
#include "widgets/exportfiledialog.h"

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

// "Export Data": picks an export format, adjusts its period, users, client and project,
// charging, overtime and output file, and runs the export. The formats are never changed:
// every export works on a copy prepared from the window, and the window stays open after it.
class TSelectExportDataForm : public TBaseSelectReportForm {
    Q_OBJECT
public:
    explicit TSelectExportDataForm(QWidget* owner = nullptr);
    ~TSelectExportDataForm() override;

    // Lists the format files, each loaded (a damaged one with what could be read); false when
    // there is none.
    bool FillFormatList();
    // Runs the export as the Export button does.
    void ExportNow();
    // The format of the selected entry; none without formats.
    const TExportFormat* ChosenFormat() const;
    // Why the chosen format could not be read; empty when it was.
    QString ChosenLoadError() const;
    // True while an export runs: a second one cannot start.
    bool Exporting() const { return FExporting; }

    // Asks for the output file: start is the name typed, suffix ".csv" or ".txt"; an empty
    // answer means cancelled. The platform's save dialog unless replaced (by tests).
    TExportFileDialog SaveDialog;
    // How long an export runs before its progress window shows, in milliseconds.
    int ProgressDelay = 400;

    QGroupBox* gbxFormat;
    QComboBox* cmbReportType;
    QLineEdit* txtDescription;
    QCheckBox* chkShowOvertime;
    QGroupBox* gbxFile;
    QLineEdit* edtFileName;
    QPushButton* btnBrowse;

protected:
    bool ShowsLatestEntry() const override { return true; }
    void UpdateControls() override;
    void ShowWindowPart() override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateFormatGroup();
    void CreateFileGroup();
    void FormatChange();
    void ApplyFormatUsers(const TExportFormat& format);
    void ApplyFormatClient(const TExportFormat& format);
    void BrowseClick();
    // The copy of the chosen format the export runs on; none, with the error shown, when the
    // window's choices cannot make one.
    std::unique_ptr<TExportFormat> PreparedCopy();
    // ExportData on a worker thread while the window shows that it is working.
    QString RunExport(const TExportFormat& copy, QDate from, QDate to);

    std::vector<TExportFormatEntry> FFormats;
    bool FExporting = false;
    QString FReplaceConfirmed; // the existing file the save dialog was told to replace
};
