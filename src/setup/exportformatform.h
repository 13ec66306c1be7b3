#pragma once

#include "export/exportformat.h"
#include "storage/server/serverdatascan.h"
#include "widgets/exportfiledialog.h"

#include <functional>
#include <memory>

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TClients;
class TExportColumnForm;

// What the format editor shows besides the format: the users and clients the set-up window's
// server scan found, and the main window's administration and in-use client lists.
struct TExportFormatSources {
    const TServerUsers* Users = nullptr;
    const TClients* ScanClients = nullptr;
    const TClients* AdminClients = nullptr;
    const TClients* InUseClients = nullptr;
};

// "Export Format - " + name: edits a copy of one export format: the columns it writes, in
// which groups and order (moved between the trees treeAvailable and treeSelected), the file
// settings and the defaults of an export run. The copy is handed back only on OK; users who
// may not change administration data can look but change nothing.
class TExportFormatForm : public QDialog {
    Q_OBJECT
public:
    explicit TExportFormatForm(QWidget* parent = nullptr);
    ~TExportFormatForm() override;

    // The trees' keys: Return in treeAvailable includes the node; in treeSelected Return edits
    // the column and Delete excludes the node.
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Sets the window up on a copy of format, or on a new format when it is null. formatNames
    // are the names the set-up window lists, for the question about replacing one.
    void Configure(const TExportFormat* format, const QStringList& formatNames,
                   const TExportFormatSources& sources);
    // Configure, then modally: the edited format on OK, none on Cancel.
    std::unique_ptr<TExportFormat> Open(const TExportFormat* format, const QStringList& formatNames,
                                        const TExportFormatSources& sources);
    // The working copy after OK (once); none before or after Cancel.
    std::unique_ptr<TExportFormat> TakeFormat();
    // The working copy while the window is open.
    const TExportFormat* WorkingFormat() const { return FFormat.get(); }

    // Whether the controls carry hints (the "ShowHints" setting).
    bool ShowHints = true;
    // Asks for the output file: start is the name typed, suffix ".csv" or ".txt"; an empty
    // answer means cancelled. The platform's save dialog unless replaced (by tests).
    TExportFileDialog SaveDialog;

    QTreeWidget* treeAvailable = nullptr;
    QTreeWidget* treeSelected = nullptr;
    QToolButton* btnIncludeAll = nullptr;
    QToolButton* btnInclude = nullptr;
    QToolButton* btnExclude = nullptr;
    QToolButton* btnExcludeAll = nullptr;
    QToolButton* btnUp = nullptr;
    QToolButton* btnDown = nullptr;
    QPushButton* btnAdd = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnDelete = nullptr;
    QLineEdit* edtName = nullptr;
    QLineEdit* edtDescription = nullptr;
    QRadioButton* rbTab = nullptr;
    QRadioButton* rbComma = nullptr;
    QRadioButton* rbOther = nullptr;
    QLineEdit* edtOther = nullptr;
    QLineEdit* edtDelimiterReplace = nullptr;
    QCheckBox* chkUseHeadings = nullptr;
    QCheckBox* chkBlankRows = nullptr;
    QComboBox* cmbBlankRows = nullptr;
    QComboBox* cmbPeriod = nullptr;
    QComboBox* cmbUser = nullptr;
    QPushButton* btnUsers = nullptr;
    QComboBox* cmbClient = nullptr;
    QComboBox* cmbProject = nullptr;
    QCheckBox* chkActiveClients = nullptr;
    QComboBox* cmbCharging = nullptr;
    QCheckBox* chkOvertime = nullptr;
    QLineEdit* edtFileName = nullptr;
    QPushButton* btnBrowse = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnHelp = nullptr;
    // The column editor, made when first needed.
    TExportColumnForm* ColumnForm = nullptr;

private:
    // Building the window (exportformatform.cpp).
    void CreateControls();
    QWidget* CreateTreesPanel();
    QWidget* CreateSettingsGroup();
    QWidget* CreateDefaultsGroup();
    void ConnectControls();
    void SetHints();
    void FillSettings();
    void FillUsers();
    void UpdateUsersDisplay();
    void UsersClicked();
    void FillClientLists();
    void BrowseClicked();
    void BlankRowsToggled(bool checked);
    void UpdateEnabling();
    void UpdateMoveHints();
    void UpdateCaption();
    void OkClicked();
    // The first failed check's message, with the field to focus; empty when all pass.
    QString CheckFields(QWidget*& field) const;
    TExportHeader HeaderFromFields() const;
    void StoreUsers();
    bool ConfirmName();
    int UserCount() const;

    // The trees (exportformattrees.cpp).
    void FillAvailable();
    void FillSelected();
    void SelectFirstNodes();
    QTreeWidgetItem* AvailableGroup(TExportArea area, bool create);
    QTreeWidgetItem* SelectedGroup(TExportArea area, bool create);
    void AddAvailableField(TExportField field);
    QTreeWidgetItem* AddSelectedColumn(TExportItem* column);
    void RemoveNode(QTreeWidgetItem* node);
    void ApplyGroupOrder();
    void UpdateMarks();
    void IncludeNode(QTreeWidgetItem* node);
    void IncludeClicked();
    void IncludeAllClicked();
    void ExcludeNode(QTreeWidgetItem* node);
    void ExcludeClicked();
    void ExcludeAllClicked();
    void DeleteClicked();
    void MoveClicked(int direction);
    void AddClicked();
    void EditClicked();
    TExportColumnForm& ColumnEditor();
    TExportItem* SelectedColumn() const;

    std::unique_ptr<TExportFormat> FFormat;
    QString FOriginalName;
    QStringList FFormatNames;
    TExportFormatSources FSources;
    bool FFillingClients = false;
    bool FAccepted = false;
};
