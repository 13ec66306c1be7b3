#pragma once

#include "storage/values/money.h"

#include <functional>

#include <QGroupBox>
#include <QString>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TBlock;
class TCategories;
class TClients;

// What the details panel needs of the settings.
struct TDetailsSettings {
    bool BillingActive = false;
    QString CurrencySymbol;
    TMoney UserHourlyRate;
    bool DefaultToChargeable = true;
    bool DecimalDurationFormat = true;
};

// The values the details controls show, as they are handed to the block.
struct TDetailsEntry {
    QString Client;
    QString Project;
    QString Category;
    QString Activity;
    QString Remarks;
    bool OverTime = false;
    bool Reportable = true;
    bool Chargeable = true;
    int Code = -1; // the selected billing code; -1 when none is selected
    QString RateText;
};

// The group box "Block details": it shows a block's details and tells its owner of every
// change the user makes, after the dependent lists followed it (a new client brings its
// projects, with the first one chosen). It never changes a block itself: the owner stores
// the entry into the block and decides what a change means.
class TBlockDetailsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TBlockDetailsPanel(QWidget* parent = nullptr);

    // The lists the drop-down boxes are filled from; they must outlive the panel's use of them.
    void SetLists(const TClients* clients, const TCategories* categories);
    void SetSettings(const TDetailsSettings& settings);
    const TDetailsSettings& Settings() const { return FSettings; }
    // Shows the billing controls, or the "Chargeable" check box, as billing is active or not.
    void ApplyBillingLayout();

    // Fills the controls from block; the names of snapshot (the block as it was selected) are
    // offered even when they are no longer active. Without a block, ClearBlockDetails.
    void ShowBlockDetails(const TBlock* block, const TBlock* snapshot, bool locked);
    void ClearBlockDetails();
    void SetDetailsEnabled(bool enabled);
    // The time and duration texts and the extended charge of block, after its times changed.
    void ShowTimes(const TBlock* block);
    // The rate text that follows the chosen billing code.
    void FillRateFromCode();
    void ShowExtendedCharge(const TBlock* block);

    TDetailsEntry Entry() const;
    // The four names are given and, with billing, the rate suits the code.
    bool IsEntryComplete() const;
    // The first of the four boxes that is empty and enabled; else, with billing, the rate
    // field when it is enabled; else none.
    QWidget* FirstEmptyControl() const;
    // Where the focus goes when Ctrl is pressed in one of the drop-down boxes, so that the
    // window's Ctrl shortcuts are not taken by the box.
    void SetFocusSink(QWidget* sink) { FFocusSink = sink; }

    // Called for every change the user makes to a control.
    std::function<void(QWidget* control)> OnChange;

    QComboBox* cmbClient = nullptr;
    QComboBox* cmbProject = nullptr;
    QComboBox* cmbCategory = nullptr;
    QComboBox* cmbActivity = nullptr;
    QLabel* txtTime = nullptr;
    QLabel* txtDuration = nullptr;
    QPlainTextEdit* edtRemarks = nullptr;
    QCheckBox* chkReportable = nullptr;
    QCheckBox* chkOvertime = nullptr;
    QCheckBox* chkCharge = nullptr;
    QLabel* lblBillingRate = nullptr;
    QComboBox* cmbBillingCode = nullptr;
    QLineEdit* edtBillingRate = nullptr;
    QLabel* lblEquals = nullptr;
    QLabel* txtExtendedCharge = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowRemarks(const QString& remarks);
    // The names of the selection snapshot.
    struct TSnapshotNames {
        QString Client;
        QString Project;
        QString Category;
        QString Activity;
    };
    // Names to offer besides the active ones.
    struct TExtraNames {
        QString Main;
        QString Sub;
    };

    void CreateControls();
    void ConnectControls();
    void LayOut();
    int Scaled(int pixels) const;
    void Place(QWidget* widget, int left, int top, int width, int height);
    void Changed(QWidget* control);
    void ClientPicked();
    void CategoryPicked();
    void FillNames(const TBlock& block, bool locked);
    void AdjustBillingCodes(int blockCode);
    void SelectCode(int code);
    int SelectedCode() const;
    TExtraNames ExtraClientNames() const;
    TExtraNames ExtraCategoryNames() const;
    void UpdateRateEnabled();

    const TClients* FClients = nullptr;
    const TCategories* FCategories = nullptr;
    TDetailsSettings FSettings;
    TSnapshotNames FSnapshot;
    int FShownMinutes = -1; // duration of the block shown; -1 for none
    // The remarks of the block shown when they are too long for the memo, which shows their
    // beginning read only; empty otherwise.
    QString FWholeRemarks;
    bool FUpdating = false;
    QWidget* FFocusSink = nullptr;
};
