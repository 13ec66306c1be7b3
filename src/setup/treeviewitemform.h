#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TTreeViewUndoManager;

// The small window in which an entry of a list tree is added or renamed and made active or
// inactive. Configure sets it up for a tree, a level and a mode; OK and Next check the name,
// record the change on the tree's undo stack and make it.
class TTreeViewItemForm : public QDialog {
    Q_OBJECT
public:
    enum TMode { imAdd, imEdit };

    explicit TTreeViewItemForm(QWidget* parent = nullptr);

    // Sets the window up for the tree's selection; the level is taken as 0 when the tree has
    // none.
    void Configure(QTreeWidget* tree, int level, TMode mode);

    // The undo stack of the tree being edited; changes are not recorded without it.
    TTreeViewUndoManager* UndoManager = nullptr;
    // Whether the controls carry hints (the set-up window's "Show hints").
    bool ShowHints = true;

    int Level() const { return FLevel; }
    TMode Mode() const { return FMode; }

    QLabel* lblInfo = nullptr;
    QLineEdit* edtText = nullptr;
    QCheckBox* chkActive = nullptr;
    QPushButton* btnNext = nullptr;
    QToolButton* btnLevel = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QGroupBox* pnlMiddle = nullptr;
    QComboBox* cmbBillingCode = nullptr;
    QLineEdit* edtRate = nullptr;

    void reject() override;

private:
    void CreateControls();
    void ConfigureAdd();
    void ConfigureEdit();
    void UpdateEnabling();
    void SetHint(QWidget* control, const QString& hint);
    // The error shown for a blank or taken name; empty when the name can be used.
    QString ValidationError() const;
    QList<QTreeWidgetItem*> Siblings() const;
    void RecordUndo(const QString& caption);
    void AddEntry();
    void EditEntry();
    void OkClicked();
    void NextClicked();
    void LevelClicked();

    QTreeWidget* FTree = nullptr;
    int FLevel = 0;
    TMode FMode = imAdd;
    QString FWord;
};
