#include "blockdetailspanel.h"

#include "dayview/detailsrules.h"
#include "setup/listfilling.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/settings/windowgeometry.h"
#include "storage/values/timevalues.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {
// Sizes at 96 ppi.
constexpr int DesignWidth = 529;
constexpr int RemarksLeft = 305;
constexpr int RemarksWidth = 209;
// Remarks longer than this are shown cut and cannot be edited here: a memo lays out a text of
// megabytes for minutes. The block keeps them whole.
constexpr qsizetype LongRemarks = 20000;
constexpr int BoxHeight = 22;
constexpr int TextHeight = 17;
constexpr int CheckTop = 114;

// Sorts the items of a box that shows names, as a sorted list box keeps them.
void SortItems(QComboBox* box) {
    QStringList names;
    for (int index = 0; index < box->count(); ++index)
        names.append(box->itemText(index));
    std::stable_sort(names.begin(), names.end(), ListNameLess);
    box->clear();
    box->addItems(names);
}

// Inserts name at its place in the sorted box unless it is empty or there already.
void AddSorted(QComboBox* box, const QString& name) {
    if (name.isEmpty() || box->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive) >= 0)
        return;
    int index = 0;
    while (index < box->count() && ListNameLess(box->itemText(index), name))
        ++index;
    box->insertItem(index, name);
}

// Selects the item spelled exactly as name; failing that the item that differs from it only
// in letter case, so that a name never shows as empty (and is then stored empty) because the
// list spells it otherwise. No item when there is neither.
void SelectName(QComboBox* box, const QString& name) {
    int index = box->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0 && !name.isEmpty())
        index = box->findText(name, Qt::MatchFixedString);
    box->setCurrentIndex(index);
}

QLabel* NewSunkenText(QWidget* parent, const char* name) {
    auto* text = new QLabel(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return text;
}

QComboBox* NewList(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(false);
    box->setMaxVisibleItems(16);
    return box;
}

QLabel* NewCaption(QWidget* parent, const char* name, const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setBuddy(buddy);
    return label;
}
} // namespace

TBlockDetailsPanel::TBlockDetailsPanel(QWidget* parent) : QGroupBox(parent) {
    setObjectName(QStringLiteral("gpbxDetails"));
    setTitle(QStringLiteral("Block details"));
    CreateControls();
    ConnectControls();
    resize(Scaled(DesignWidth), Scaled(144));
    ApplyBillingLayout();
    ClearBlockDetails();
    SetDetailsEnabled(false);
}

void TBlockDetailsPanel::CreateControls() {
    cmbClient = NewList(this, "cmbClient");
    cmbProject = NewList(this, "cmbProject");
    cmbCategory = NewList(this, "cmbCategory");
    cmbActivity = NewList(this, "cmbActivity");
    txtTime = NewSunkenText(this, "txtTime");
    txtDuration = NewSunkenText(this, "txtDuration");
    edtRemarks = new QPlainTextEdit(this);
    edtRemarks->setObjectName(QStringLiteral("edtRemarks"));
    edtRemarks->setTabChangesFocus(true);
    chkReportable = new QCheckBox(QStringLiteral("Include in reports"), this);
    chkReportable->setObjectName(QStringLiteral("chkReportable"));
    chkReportable->setToolTip(QStringLiteral("Unselect to exclude the entry from all reports"));
    chkReportable->setChecked(true);
    chkOvertime = new QCheckBox(QStringLiteral("Overtime"), this);
    chkOvertime->setObjectName(QStringLiteral("chkOvertime"));
    chkOvertime->setToolTip(
        QStringLiteral("Select if this time is classified as 'overtime' (or 'out of hours')"));
    chkCharge = new QCheckBox(QStringLiteral("Chargeable"), this);
    chkCharge->setObjectName(QStringLiteral("chkCharge"));
    chkCharge->setToolTip(QStringLiteral("Select if this time is classified as 'chargeable'"));
    cmbBillingCode = NewList(this, "cmbBillingCode");
    cmbBillingCode->setToolTip(QStringLiteral("Select a billing code"));
    edtBillingRate = new QLineEdit(this);
    edtBillingRate->setObjectName(QStringLiteral("edtBillingRate"));
    edtBillingRate->setToolTip(QStringLiteral("Enter the applicable rate for the billing code"));
    lblBillingRate = NewCaption(this, "lblBillingRate", "Billing:", cmbBillingCode);
    lblBillingRate->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    lblEquals = new QLabel(QStringLiteral("="), this);
    lblEquals->setObjectName(QStringLiteral("lblEquals"));
    txtExtendedCharge = NewSunkenText(this, "txtExtendedCharge");
    txtExtendedCharge->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    NewCaption(this, "lblClient", "Client:", cmbClient);
    NewCaption(this, "lblProject", "Project:", cmbProject);
    NewCaption(this, "lblCategory", "Category:", cmbCategory);
    NewCaption(this, "lblActivity", "Activity:", cmbActivity);
    NewCaption(this, "lblTime", "Time:", txtTime);
    NewCaption(this, "lblRemarks", "Remarks:", edtRemarks);
    AdjustBillingCodes(bcHourlyRate);
    for (QComboBox* box : {cmbClient, cmbProject, cmbCategory, cmbActivity, cmbBillingCode})
        box->installEventFilter(this);
}

void TBlockDetailsPanel::ConnectControls() {
    const auto onIndex = [this](QComboBox* box, auto handler) {
        connect(box, &QComboBox::currentIndexChanged, this, [this, handler] {
            if (!FUpdating)
                (this->*handler)();
        });
    };
    onIndex(cmbClient, &TBlockDetailsPanel::ClientPicked);
    onIndex(cmbCategory, &TBlockDetailsPanel::CategoryPicked);
    for (QComboBox* box : {cmbProject, cmbActivity, cmbBillingCode})
        connect(box, &QComboBox::currentIndexChanged, this, [this, box] { Changed(box); });
    for (QCheckBox* check : {chkReportable, chkOvertime, chkCharge})
        connect(check, &QCheckBox::toggled, this, [this, check] { Changed(check); });
    connect(edtRemarks, &QPlainTextEdit::textChanged, this, [this] { Changed(edtRemarks); });
    connect(edtBillingRate, &QLineEdit::textChanged, this, [this] { Changed(edtBillingRate); });
}

int TBlockDetailsPanel::Scaled(int pixels) const {
    return ScaleToScreen(pixels, logicalDpiX());
}

void TBlockDetailsPanel::Place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Scaled(left), Scaled(top), Scaled(width), Scaled(height));
}

void TBlockDetailsPanel::LayOut() {
    Place(cmbClient, 55, 18, 180, BoxHeight);
    Place(cmbProject, 55, 44, 180, BoxHeight);
    Place(cmbCategory, 305, 18, 210, BoxHeight);
    Place(cmbActivity, 305, 44, 210, BoxHeight);
    Place(txtTime, 55, 71, 178, TextHeight);
    Place(txtDuration, 55, 90, 178, TextHeight);
    const int remarksWidth = width() + Scaled(RemarksWidth) - Scaled(DesignWidth);
    edtRemarks->setGeometry(Scaled(RemarksLeft), Scaled(71), std::max(remarksWidth, Scaled(40)),
                            Scaled(33));
    for (const auto& [name, left, top, width] :
         {std::tuple{"lblClient", 4, 18, 48}, std::tuple{"lblProject", 4, 44, 48},
          std::tuple{"lblCategory", 245, 18, 57}, std::tuple{"lblActivity", 245, 44, 57},
          std::tuple{"lblTime", 4, 71, 48}, std::tuple{"lblRemarks", 245, 71, 57}})
        Place(findChild<QLabel*>(QString::fromLatin1(name)), left, top, width, TextHeight);
    chkReportable->move(Scaled(55), Scaled(CheckTop));
    chkReportable->resize(chkReportable->sizeHint());
    Place(lblBillingRate, 251, 115, 50, TextHeight);
    Place(cmbBillingCode, 305, 112, 95, BoxHeight);
    Place(edtBillingRate, 403, 112, 41, BoxHeight);
    Place(lblEquals, 448, 115, 10, TextHeight);
    Place(txtExtendedCharge, 460, 114, 55, TextHeight);
    for (QCheckBox* check : {chkOvertime, chkCharge})
        check->resize(check->sizeHint());
    if (FSettings.BillingActive) {
        chkOvertime->move(Scaled(166), Scaled(CheckTop));
    } else {
        chkOvertime->move(edtRemarks->x(), Scaled(CheckTop));
        chkCharge->move(chkOvertime->geometry().right() + 1 + Scaled(10), Scaled(CheckTop));
    }
}

void TBlockDetailsPanel::resizeEvent(QResizeEvent* event) {
    QGroupBox::resizeEvent(event);
    LayOut();
}

void TBlockDetailsPanel::SetLists(const TClients* clients, const TCategories* categories) {
    FClients = clients;
    FCategories = categories;
}

void TBlockDetailsPanel::SetSettings(const TDetailsSettings& settings) {
    FSettings = settings;
}

void TBlockDetailsPanel::ApplyBillingLayout() {
    const bool billing = FSettings.BillingActive;
    chkCharge->setVisible(!billing);
    for (QWidget* control : std::initializer_list<QWidget*>{
             lblBillingRate, cmbBillingCode, edtBillingRate, lblEquals, txtExtendedCharge})
        control->setVisible(billing);
    LayOut();
}

bool TBlockDetailsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && FFocusSink &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->hasFocus())
        FFocusSink->setFocus(Qt::ShortcutFocusReason);
    return QGroupBox::eventFilter(watched, event);
}

TBlockDetailsPanel::TExtraNames TBlockDetailsPanel::ExtraClientNames() const {
    if (!FClients || FSnapshot.Client.isEmpty())
        return {};
    const TClient* client = FClients->FindClient(FSnapshot.Client, true);
    if (!client)
        return {FSnapshot.Client, FSnapshot.Project};
    if (!client->HasProject(FSnapshot.Project, true))
        return {{}, FSnapshot.Project};
    return {};
}

TBlockDetailsPanel::TExtraNames TBlockDetailsPanel::ExtraCategoryNames() const {
    if (!FCategories || FSnapshot.Category.isEmpty())
        return {};
    const TCategory* category = FCategories->FindCategory(FSnapshot.Category, true);
    if (!category)
        return {FSnapshot.Category, FSnapshot.Activity};
    if (!category->HasActivity(FSnapshot.Activity, true))
        return {{}, FSnapshot.Activity};
    return {};
}

void TBlockDetailsPanel::ShowBlockDetails(const TBlock* block, const TBlock* snapshot,
                                          bool locked) {
    if (!block) {
        ClearBlockDetails();
        return;
    }
    FSnapshot = snapshot ? TSnapshotNames{snapshot->Client, snapshot->Project, snapshot->Category,
                                          snapshot->Activity}
                         : TSnapshotNames{};
    FUpdating = true;
    FillNames(*block, locked);
    ShowRemarks(block->Remarks);
    chkOvertime->setChecked(block->OverTime);
    chkReportable->setChecked(block->Reportable);
    chkCharge->setChecked(block->Chargeable);
    if (FSettings.BillingActive) {
        AdjustBillingCodes(BlockCode(*block));
        SelectCode(BlockCode(*block));
        edtBillingRate->setText(RateTextOfBlock(*block));
        UpdateRateEnabled();
    }
    ShowTimes(block);
    FUpdating = false;
    if (cmbClient->isEnabled())
        cmbClient->setFocus(Qt::OtherFocusReason);
}

void TBlockDetailsPanel::FillNames(const TBlock& block, bool locked) {
    const auto fill = [locked](QComboBox* mainBox, QComboBox* subBox, const TExtraNames& extra,
                               const QString& main, const QString& sub, bool sameAsSnapshot,
                               const auto& fillMain, const auto& fillSub) {
        fillMain(mainBox);
        SortItems(mainBox);
        mainBox->setEnabled(mainBox->count() > 0 && !locked);
        subBox->clear();
        AddSorted(mainBox, extra.Main);
        if (!main.isEmpty()) {
            fillSub(main, subBox);
            SortItems(subBox);
            if (sameAsSnapshot)
                AddSorted(subBox, extra.Sub);
            SelectName(mainBox, main);
            SelectName(subBox, sub);
        } else {
            mainBox->setCurrentIndex(-1);
            AddSorted(subBox, extra.Sub);
            subBox->setCurrentIndex(-1);
        }
        mainBox->setEnabled(mainBox->count() > 0 && !locked);
        subBox->setEnabled(subBox->count() > 0 && !locked);
    };
    const TClients noClients;
    const TCategories noCategories;
    const TClients& clients = FClients ? *FClients : noClients;
    const TCategories& categories = FCategories ? *FCategories : noCategories;
    fill(
        cmbClient, cmbProject, ExtraClientNames(), block.Client, block.Project,
        SameListName(block.Client, FSnapshot.Client),
        [&clients](QComboBox* box) { FillClientBox(clients, box, true); },
        [&clients](const QString& client, QComboBox* box) {
            FillProjectBox(clients, client, box, true);
        });
    fill(
        cmbCategory, cmbActivity, ExtraCategoryNames(), block.Category, block.Activity,
        SameListName(block.Category, FSnapshot.Category),
        [&categories](QComboBox* box) { FillCategoryBox(categories, box, true); },
        [&categories](const QString& category, QComboBox* box) {
            FillActivityBox(categories, category, box, true);
        });
}

void TBlockDetailsPanel::ClearBlockDetails() {
    FUpdating = true;
    for (QComboBox* box : {cmbClient, cmbProject, cmbCategory, cmbActivity})
        box->setCurrentIndex(-1);
    cmbProject->setEnabled(false);
    cmbActivity->setEnabled(false);
    ShowRemarks({});
    chkOvertime->setChecked(false);
    chkReportable->setChecked(true);
    chkCharge->setChecked(FSettings.DefaultToChargeable);
    txtTime->clear();
    txtDuration->clear();
    cmbBillingCode->setCurrentIndex(-1);
    edtBillingRate->clear();
    txtExtendedCharge->clear();
    FShownMinutes = -1;
    FUpdating = false;
}

void TBlockDetailsPanel::SetDetailsEnabled(bool enabled) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             cmbClient, cmbProject, cmbCategory, cmbActivity, edtRemarks, chkReportable,
             chkOvertime, chkCharge, cmbBillingCode, lblEquals})
        control->setEnabled(enabled);
    UpdateRateEnabled();
}

void TBlockDetailsPanel::UpdateRateEnabled() {
    edtBillingRate->setEnabled(cmbBillingCode->isEnabled() && IsRateEditable(SelectedCode()));
}

void TBlockDetailsPanel::AdjustBillingCodes(int blockCode) {
    const QList<int> codes = BillingCodeItems(blockCode);
    bool same = codes.size() == cmbBillingCode->count();
    for (int index = 0; same && index < codes.size(); ++index)
        same = cmbBillingCode->itemData(index).toInt() == codes[index];
    if (same)
        return;
    const bool updating = FUpdating;
    FUpdating = true;
    cmbBillingCode->clear();
    for (int code : codes)
        cmbBillingCode->addItem(BillingCodeName(code), code);
    FUpdating = updating;
}

void TBlockDetailsPanel::SelectCode(int code) {
    cmbBillingCode->setCurrentIndex(cmbBillingCode->findData(code));
}

int TBlockDetailsPanel::SelectedCode() const {
    const QVariant code = cmbBillingCode->currentData();
    return code.isValid() ? code.toInt() : -1;
}

void TBlockDetailsPanel::ShowTimes(const TBlock* block) {
    if (!block)
        return;
    txtTime->setText(block->TimeRangeText());
    txtDuration->setText(block->DurationText(FSettings.DecimalDurationFormat));
    ShowExtendedCharge(block);
}

void TBlockDetailsPanel::FillRateFromCode() {
    const bool updating = FUpdating;
    FUpdating = true;
    edtBillingRate->setText(RateTextForCode(SelectedCode(), edtBillingRate->text(),
                                            FSettings.UserHourlyRate, FSettings.CurrencySymbol));
    UpdateRateEnabled();
    FUpdating = updating;
}

void TBlockDetailsPanel::ShowExtendedCharge(const TBlock* block) {
    if (!FSettings.BillingActive)
        return;
    txtExtendedCharge->setText(block ? ExtendedChargeText(SelectedCode(), edtBillingRate->text(),
                                                          DurationMinutes(block->Duration()),
                                                          FSettings.CurrencySymbol)
                                     : QString());
}

void TBlockDetailsPanel::Changed(QWidget* control) {
    if (FUpdating)
        return;
    if (control == cmbBillingCode)
        UpdateRateEnabled();
    if (OnChange)
        OnChange(control);
}

void TBlockDetailsPanel::ClientPicked() {
    FUpdating = true;
    if (FClients)
        FillProjectBox(*FClients, cmbClient->currentText(), cmbProject, true);
    SortItems(cmbProject);
    if (cmbClient->currentText() == FSnapshot.Client)
        AddSorted(cmbProject, FSnapshot.Project);
    cmbProject->setEnabled(cmbProject->count() > 0);
    cmbProject->setCurrentIndex(cmbProject->count() > 0 ? 0 : -1);
    FUpdating = false;
    Changed(cmbClient);
}

void TBlockDetailsPanel::CategoryPicked() {
    FUpdating = true;
    if (FCategories)
        FillActivityBox(*FCategories, cmbCategory->currentText(), cmbActivity, true);
    SortItems(cmbActivity);
    if (cmbCategory->currentText() == FSnapshot.Category)
        AddSorted(cmbActivity, FSnapshot.Activity);
    cmbActivity->setEnabled(cmbActivity->count() > 0);
    cmbActivity->setCurrentIndex(cmbActivity->count() > 0 ? 0 : -1);
    FUpdating = false;
    Changed(cmbCategory);
}

void TBlockDetailsPanel::ShowRemarks(const QString& remarks) {
    const bool cut = remarks.size() > LongRemarks;
    FWholeRemarks = cut ? remarks : QString();
    edtRemarks->setPlainText(cut ? remarks.left(LongRemarks) : remarks);
    edtRemarks->setReadOnly(cut);
    edtRemarks->setToolTip(cut ? QStringLiteral("These remarks are too long to be shown whole "
                                                "or edited here; they are kept as they are")
                               : QString());
}

TDetailsEntry TBlockDetailsPanel::Entry() const {
    TDetailsEntry entry;
    entry.Client = cmbClient->currentText().trimmed();
    entry.Project = cmbProject->currentText().trimmed();
    entry.Category = cmbCategory->currentText().trimmed();
    entry.Activity = cmbActivity->currentText().trimmed();
    // Remarks keep their line breaks as CR LF, as they are read from the month files.
    entry.Remarks = !FWholeRemarks.isEmpty()
                        ? FWholeRemarks
                        : edtRemarks->toPlainText().trimmed().replace(QLatin1Char('\n'),
                                                                      QLatin1String("\r\n"));
    entry.OverTime = chkOvertime->isChecked();
    entry.Reportable = chkReportable->isChecked();
    entry.Chargeable = chkCharge->isChecked();
    entry.Code = SelectedCode();
    entry.RateText = edtBillingRate->text();
    return entry;
}

bool TBlockDetailsPanel::IsEntryComplete() const {
    for (const QComboBox* box : {cmbClient, cmbProject, cmbCategory, cmbActivity})
        if (box->currentText().isEmpty())
            return false;
    if (!FSettings.BillingActive)
        return true;
    QString rateText = edtBillingRate->text();
    return CheckRateText(SelectedCode(), FSettings.CurrencySymbol, rateText);
}

QWidget* TBlockDetailsPanel::FirstEmptyControl() const {
    for (QComboBox* box : {cmbClient, cmbProject, cmbCategory, cmbActivity})
        if (box->currentText().isEmpty() && box->isEnabled())
            return box;
    if (FSettings.BillingActive && edtBillingRate->isEnabled())
        return edtBillingRate;
    return nullptr;
}
