#pragma once

#include "export/exportvocabulary.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class TExportFormat;
class TExportItem;

// "Export Column": edits one column of an export format: its heading, a user-defined column's
// name and value, its format with a live sample, and whether it merges the following column.
// Rows that do not apply are hidden and the window shrinks with them. The column changes only
// on OK.
class TExportColumnForm : public QDialog {
    Q_OBJECT
public:
    explicit TExportColumnForm(QWidget* parent = nullptr);

    // Sets the window up for column, a column of format (or about to become one; the format's
    // other columns of its group keep a user-defined name unique). showHeading shows the heading
    // row, merged marks the column as merged into the previous one, last hides the merge row.
    void Configure(TExportItem& column, const TExportFormat& format, bool showHeading, bool merged,
                   bool last);
    // Configure, then modally; true when the column was changed with OK.
    bool Open(TExportItem& column, const TExportFormat& format, bool showHeading, bool merged,
              bool last);

    // Whether the controls carry hints (the "ShowHints" setting).
    bool ShowHints = true;

    QWidget* pnlHeading = nullptr;
    QLineEdit* edtHeading = nullptr;
    QWidget* pnlName = nullptr;
    QLabel* lblName = nullptr;
    QLineEdit* edtName = nullptr;
    QWidget* pnlValue = nullptr;
    QLineEdit* edtValue = nullptr;
    QWidget* pnlData = nullptr;
    QLineEdit* edtType = nullptr;
    QComboBox* cmbFormat = nullptr;
    QLabel* txtSample = nullptr;
    QWidget* pnlMerge = nullptr;
    QCheckBox* chkMergeFollowing = nullptr;
    QLineEdit* edtSeparator = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;

private:
    void CreateControls();
    QWidget* AddRow(const char* name, const QString& caption, QWidget* field);
    void SetHints();
    void FillFormats();
    void UpdateSample();
    void SetFirstFocus();
    void OkClicked();
    // The error shown for the user-defined name typed; empty when it can be used.
    QString NameError() const;

    TExportItem* FColumn = nullptr;
    const TExportFormat* FFormat = nullptr;
};

// The formats offered for a column type, the first being the default; a time picture keeps no
// seconds.
QStringList ExportColumnFormats(TExportFieldType type);
// The format a column of that type gets when it has none.
QString ExportColumnDefaultFormat(TExportFieldType type);
// The column editor's sample of a type written in a format.
QString ExportColumnSample(TExportFieldType type, const QString& format);
