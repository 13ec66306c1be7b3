#include "treeviewitemform.h"

#include "base/textutils.h"

#include "base/datalocations.h"
#include "base/messages.h"
#include "setup/listfilling.h"
#include "setup/listtreeitem.h"
#include "setup/treeactivity.h"
#include "setup/treehelpers.h"
#include "setup/treeviewundomanager.h"
#include "storage/lists/activityinfo.h"
#include "storage/lists/category.h"
#include "storage/lists/client.h"
#include "storage/lists/projectinfo.h"
#include "widgets/toolglyphs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
template <typename T> T* Named(T* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}
} // namespace

TTreeViewItemForm::TTreeViewItemForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TreeViewItemForm"));
    setModal(true);
    CreateControls();
}

void TTreeViewItemForm::CreateControls() {
    lblInfo = Named(new QLabel(this), "lblInfo");
    lblInfo->setMinimumWidth(300);
    edtText = Named(new QLineEdit(this), "edtText");
    chkActive = Named(new QCheckBox(QStringLiteral("Active"), this), "chkActive");
    btnNext = Named(new QPushButton(QStringLiteral("Next"), this), "btnNext");
    btnLevel = Named(new QToolButton(this), "btnLevel");
    btnLevel->setIconSize(QSize(16, 16));
    btnOK = Named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnOK->setDefault(true);
    btnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel");
    for (QPushButton* button : {btnNext, btnOK, btnCancel})
        button->setAutoDefault(false);
    btnOK->setAutoDefault(true);

    // Billing of a project is not edited here; the panel stays hidden and takes no room.
    pnlMiddle = Named(new QGroupBox(QStringLiteral("  Billing Information "), this), "pnlMiddle");
    cmbBillingCode = Named(new QComboBox(pnlMiddle), "cmbBillingCode");
    cmbBillingCode->addItems({QStringLiteral("No billing information"), QStringLiteral("Hourly Rate")});
    edtRate = Named(new QLineEdit(pnlMiddle), "edtRate");
    auto* billing = new QHBoxLayout(pnlMiddle);
    billing->addWidget(cmbBillingCode);
    billing->addWidget(edtRate);
    pnlMiddle->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnLevel);
    buttons->addStretch();
    buttons->addWidget(btnNext);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblInfo);
    layout->addWidget(edtText);
    layout->addWidget(chkActive);
    layout->addWidget(pnlMiddle);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(edtText, &QLineEdit::textChanged, this, [this] { UpdateEnabling(); });
    connect(btnOK, &QPushButton::clicked, this, [this] { OkClicked(); });
    connect(btnNext, &QPushButton::clicked, this, [this] { NextClicked(); });
    connect(btnLevel, &QToolButton::clicked, this, [this] { LevelClicked(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });
}

void TTreeViewItemForm::Configure(QTreeWidget* tree, int level, TMode mode) {
    FTree = tree;
    FMode = mode;
    FLevel = tree->currentItem() ? level : 0;
    FWord = EntryWord(tree, FLevel);
    if (mode == imEdit) {
        ConfigureEdit();
    } else {
        edtText->clear(); // the window is used again: a new entry starts empty
        ConfigureAdd();
    }
    UpdateEnabling();
    edtText->setFocus();
}

void TTreeViewItemForm::ConfigureEdit() {
    QTreeWidgetItem* node = FTree->currentItem();
    const QString name = node ? node->text(0) : QString();
    setWindowTitle(QStringLiteral("Edit ") + FWord);
    btnNext->hide();
    btnLevel->hide();
    edtText->setText(name);
    lblInfo->setText(QStringLiteral("Editing \"") + name + QLatin1Char('"'));
    chkActive->setChecked(node && IsActiveNode(node) && CanChangeActive(node));
}

void TTreeViewItemForm::ConfigureAdd() {
    setWindowTitle(QStringLiteral("New ") + FWord);
    btnNext->show();
    btnLevel->show();
    if (FLevel == 1) {
        btnLevel->setIcon(ToolGlyph(TToolGlyph::SortUp));
        SetHint(btnLevel, QStringLiteral("Move up to ") + EntryWord(FTree, 0) + QStringLiteral(" level"));
    } else {
        btnLevel->setIcon(ToolGlyph(TToolGlyph::SortDown));
        SetHint(btnLevel, QStringLiteral("Move down to ") + EntryWord(FTree, 1) + QStringLiteral(" level"));
    }
    QString info = FWord.startsWith(QLatin1Char('A')) ? QStringLiteral("Adding an ") : QStringLiteral("Adding a ");
    info += FWord;
    if (FLevel == 1)
        info += QStringLiteral(" under \"") + MainEntryOf(FTree->currentItem())->text(0) + QLatin1Char('"');
    lblInfo->setText(info);
    chkActive->setChecked(FLevel == 1);
}

void TTreeViewItemForm::SetHint(QWidget* control, const QString& hint) {
    control->setProperty("hint", hint);
    control->setToolTip(ShowHints ? hint : QString());
}

void TTreeViewItemForm::UpdateEnabling() {
    const bool may = MayEditAdminData();
    const bool named = !edtText->text().trimmed().isEmpty();
    btnOK->setEnabled(may && named);
    btnNext->setEnabled(may && named);
    btnLevel->setEnabled(may && FTree && FTree->currentItem());
    chkActive->setEnabled(may);
    edtText->setEnabled(may);
}

QList<QTreeWidgetItem*> TTreeViewItemForm::Siblings() const {
    QList<QTreeWidgetItem*> siblings;
    if (FLevel == 1) {
        QTreeWidgetItem* main = MainEntryOf(FTree->currentItem());
        for (int i = 0; main && i < main->childCount(); ++i)
            siblings.append(main->child(i));
    } else {
        for (int i = 0; i < FTree->topLevelItemCount(); ++i)
            siblings.append(FTree->topLevelItem(i));
    }
    return siblings;
}

QString TTreeViewItemForm::ValidationError() const {
    const QString name = edtText->text().trimmed();
    if (name.isEmpty())
        return QStringLiteral("The entry cannot be blank");
    if (HasControlCharacter(name))
        return ControlCharacterInNameText;
    for (const QTreeWidgetItem* sibling : Siblings())
        if (SameEntryName(sibling->text(0).trimmed(), name) &&
            (FMode == imAdd || sibling != FTree->currentItem()))
            return QStringLiteral("This entry already exists");
    return {};
}

void TTreeViewItemForm::RecordUndo(const QString& caption) {
    if (!UndoManager)
        return;
    QString recorded;
    UndoManager->PushSnapshot(caption, recorded);
}

void TTreeViewItemForm::AddEntry() {
    const QString name = edtText->text().trimmed();
    RecordUndo(QStringLiteral("Undo add ") + FWord + QStringLiteral(" \"") + name + QLatin1Char('"'));
    QTreeWidgetItem* node = nullptr;
    if (FLevel == 1 && FTree->currentItem()) {
        QTreeWidgetItem* main = MainEntryOf(FTree->currentItem());
        node = new TListTreeItem(main, name);
        if (IsClientTree(FTree))
            SetNodeObject(node, TProjectInfo(chkActive->isChecked()));
        else
            SetNodeObject(node, TActivityInfo(chkActive->isChecked()));
        SetNodeState(node, chkActive->isChecked());
        RecomputeMainEntry(main);
        main->setExpanded(true);
    } else {
        node = new TListTreeItem(FTree, name);
        if (IsClientTree(FTree))
            SetNodeObject(node, TClient(name));
        else
            SetNodeObject(node, TCategory(name));
        SetNodeState(node, false);
    }
    FTree->setCurrentItem(node);
}

void TTreeViewItemForm::EditEntry() {
    QTreeWidgetItem* node = FTree->currentItem();
    if (!node)
        return;
    RecordUndo(QStringLiteral("Undo edit ") + FWord + QStringLiteral(" \"") + node->text(0) +
               QLatin1Char('"'));
    node->setText(0, edtText->text().trimmed());
    SetEntryActive(node, chkActive->isChecked());
}

void TTreeViewItemForm::OkClicked() {
    const QString error = ValidationError();
    if (!error.isEmpty()) {
        ShowMessageBox(error, TMsgKind::Error, mbOK);
        edtText->setFocus();
        return;
    }
    if (FMode == imAdd)
        AddEntry();
    else
        EditEntry();
    SortListTree(FTree);
    accept();
}

void TTreeViewItemForm::NextClicked() {
    if (FMode != imAdd)
        return;
    const QString error = ValidationError();
    if (!error.isEmpty()) {
        ShowMessageBox(error, TMsgKind::Error, mbOK);
        edtText->setFocus();
        return;
    }
    AddEntry();
    edtText->clear();
    edtText->setFocus();
    if (FLevel == 1) // the new entry is the selection: the next one goes under the same entry
        ConfigureAdd();
}

void TTreeViewItemForm::LevelClicked() {
    if (FMode != imAdd || !FTree->currentItem())
        return;
    if (FLevel == 1 && FTree->currentItem()->parent())
        FTree->setCurrentItem(FTree->currentItem()->parent());
    edtText->clear();
    Configure(FTree, FLevel == 1 ? 0 : 1, imAdd);
}

void TTreeViewItemForm::reject() {
    if (FTree)
        SortListTree(FTree); // entries added with Next stay
    QDialog::reject();
}
