#include "listtreeeditor.h"

#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "setup/listfilling.h"
#include "setup/treeactivity.h"
#include "setup/treehelpers.h"
#include "setup/treeviewitemform.h"
#include "setup/treeviewundomanager.h"
#include "widgets/toolglyphs.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// The words and names that tell the two pages apart.
struct TPageWords {
    const char* PageName;
    const char* TreeName;
    const char* AddMainName;
    const char* AddMainCaption;
    const char* AddSubName;
    const char* AddSubCaption;
    const char* EditName;
    const char* DeleteName;
    const char* UndoName;
    const char* SubEntrySuffix;
    const char* SaveQuestion;
    const char* OtherUsersHint;
};

constexpr TPageWords Words[2] = {
    {"shtClientProject", "treeViewClient", "btnAddClient", "Add Client...", "btnAddProject",
     "Add Project...", "btnEditClientProject", "btnDeleteClientProject", "btnClientProjectUndo",
     " and it's Projects",
     "One or more clients do not have projects and will not be saved - proceed?",
     "Clients and projects can only be modified by administrators"},
    {"shtCategoryActivity", "treeViewCategory", "btnAddCategory", "Add Category...",
     "btnAddActivity", "Add Activity...", "btnEditCategoryActivity", "btnDeleteCategoryActivity",
     "btnCategoryActivityUndo", " and it's Activities",
     "One or more categories do not have activities and will not be saved - proceed?",
     "Categories and activities can only be modified by administrators"},
};

QString Text(const char* text) {
    return QString::fromLatin1(text);
}

QPushButton* NewButton(QWidget* parent, const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(Text(name));
    button->setAutoDefault(false);
    button->setMinimumWidth(110);
    return button;
}

QAction* NewAction(QMenu* menu, const char* name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(Text(name));
    return action;
}

// The hint of a control, kept so that it can be shown or hidden with the hints setting.
void SetHint(QWidget* control, const QString& hint, bool show) {
    control->setProperty("hint", hint);
    control->setToolTip(show ? hint : QString());
}
} // namespace

TListTreeEditor::TListTreeEditor(TClients& clients, TCategories& categories, QObject* parent)
    : QObject(parent), FClients(clients), FCategories(categories) {
    CreatePage(ClientPageIndex);
    CreatePage(CategoryPageIndex);
    treeViewClient = FPages[ClientPageIndex].Tree;
    treeViewCategory = FPages[CategoryPageIndex].Tree;
    btnAddClient = FPages[ClientPageIndex].AddMain;
    btnAddProject = FPages[ClientPageIndex].AddSub;
    btnEditClientProject = FPages[ClientPageIndex].Edit;
    btnDeleteClientProject = FPages[ClientPageIndex].Delete;
    btnClientProjectUndo = FPages[ClientPageIndex].Undo;
    btnAddCategory = FPages[CategoryPageIndex].AddMain;
    btnAddActivity = FPages[CategoryPageIndex].AddSub;
    btnEditCategoryActivity = FPages[CategoryPageIndex].Edit;
    btnDeleteCategoryActivity = FPages[CategoryPageIndex].Delete;
    btnCategoryActivityUndo = FPages[CategoryPageIndex].Undo;
    CreatePopupMenu();
    ItemForm = new TTreeViewItemForm(FPages[ClientPageIndex].Page);
    for (TPage& page : FPages)
        ConnectPage(page);
    SetClientPageActive(true);
    UpdateEnabling();
}

TListTreeEditor::~TListTreeEditor() {
    // The pages normally belong to the set-up window's page control by now; pages never
    // placed are the editor's own.
    for (TPage& page : FPages)
        if (!page.Page->parent())
            delete page.Page;
}

void TListTreeEditor::CreatePage(TPageIndex index) {
    const TPageWords& words = Words[index];
    TPage& page = FPages[index];
    page.Page = new QWidget;
    page.Page->setObjectName(Text(words.PageName));
    page.Tree = new QTreeWidget(page.Page);
    page.Tree->setObjectName(Text(words.TreeName));
    page.Tree->setHeaderHidden(true);
    page.Tree->setColumnCount(1);
    page.Tree->setSelectionMode(QAbstractItemView::SingleSelection);
    page.Tree->setIconSize(QSize(11, 12));
    page.Tree->setContextMenuPolicy(Qt::CustomContextMenu);
    page.Tree->setAccessibleName(index == ClientPageIndex ? QStringLiteral("Clients and projects")
                                                          : QStringLiteral("Categories and activities"));
    page.AddMain = NewButton(page.Page, words.AddMainName, Text(words.AddMainCaption));
    page.AddSub = NewButton(page.Page, words.AddSubName, Text(words.AddSubCaption));
    page.Edit = NewButton(page.Page, words.EditName, QStringLiteral("Edit..."));
    page.Delete = NewButton(page.Page, words.DeleteName, QStringLiteral("Delete"));
    page.Undo = new QToolButton(page.Page);
    page.Undo->setObjectName(Text(words.UndoName));
    page.Undo->setIcon(ToolGlyph(TToolGlyph::Undo));
    page.Undo->setIconSize(QSize(24, 24));
    page.Undo->setAutoRaise(true);
    page.Undo->setAccessibleName(QStringLiteral("Undo"));

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {page.AddMain, page.AddSub, page.Edit, page.Delete})
        buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(page.Undo, 0, Qt::AlignLeft);
    auto* layout = new QHBoxLayout(page.Page);
    layout->addWidget(page.Tree, 1);
    layout->addLayout(buttons);
}

void TListTreeEditor::CreatePopupMenu() {
    PopupMenu = new QMenu(FPages[ClientPageIndex].Page);
    PopupMenu->setObjectName(QStringLiteral("PopupMenu"));
    menuAddMain = NewAction(PopupMenu, "menuAddMain", Text(Words[0].AddMainCaption));
    menuAddSub = NewAction(PopupMenu, "menuAddSub", Text(Words[0].AddSubCaption));
    PopupMenu->addSeparator();
    menuEdit = NewAction(PopupMenu, "menuEdit", QStringLiteral("Edit..."));
    menuActive = NewAction(PopupMenu, "menuActive", QStringLiteral("Active"));
    menuActive->setCheckable(true);
    menuDelete = NewAction(PopupMenu, "menuDelete", QStringLiteral("Delete"));
    connect(menuAddMain, &QAction::triggered, this, [this] { OpenItemForm(ActivePage(), 0, TTreeViewItemForm::imAdd); });
    connect(menuAddSub, &QAction::triggered, this, [this] { OpenItemForm(ActivePage(), 1, TTreeViewItemForm::imAdd); });
    connect(menuEdit, &QAction::triggered, this, [this] { EditSelected(ActivePage()); });
    connect(menuActive, &QAction::triggered, this, [this](bool checked) { ToggleActive(ActivePage(), checked); });
    connect(menuDelete, &QAction::triggered, this, [this] { DeleteSelected(ActivePage()); });
}

void TListTreeEditor::ConnectPage(TPage& page) {
    TPage* at = &page;
    connect(page.AddMain, &QPushButton::clicked, this, [this, at] { OpenItemForm(*at, 0, TTreeViewItemForm::imAdd); });
    connect(page.AddSub, &QPushButton::clicked, this, [this, at] { OpenItemForm(*at, 1, TTreeViewItemForm::imAdd); });
    connect(page.Edit, &QPushButton::clicked, this, [this, at] { EditSelected(*at); });
    connect(page.Delete, &QPushButton::clicked, this, [this, at] { DeleteSelected(*at); });
    connect(page.Undo, &QToolButton::clicked, this, [this, at] { UndoLast(*at); });
    connect(page.Tree, &QTreeWidget::currentItemChanged, this, [this, at] { UpdatePageEnabling(*at); });
    connect(page.Tree, &QTreeWidget::itemDoubleClicked, this, [this, at] {
        if (MayEditAdminData())
            EditSelected(*at);
    });
    connect(page.Tree, &QTreeWidget::customContextMenuRequested, this,
            [this, at](const QPoint& pos) { ShowPopupMenu(*at, pos); });
    page.Tree->viewport()->installEventFilter(this);
    page.Tree->installEventFilter(this);
}

bool TListTreeEditor::eventFilter(QObject* watched, QEvent* event) {
    for (TPage& page : FPages) {
        if (watched == page.Tree->viewport() && event->type() == QEvent::MouseButtonPress) {
            // A press selects the entry under the pointer (or nothing) first, so that a right
            // click acts on the entry clicked.
            const auto* mouse = static_cast<QMouseEvent*>(event);
            QTreeWidgetItem* node = page.Tree->itemAt(mouse->position().toPoint());
            page.Tree->setCurrentItem(node);
            if (!node)
                page.Tree->clearSelection();
            UpdatePageEnabling(page);
        }
        if (watched == page.Tree && event->type() == QEvent::KeyRelease &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete && MayEditAdminData() &&
            page.Tree->currentItem()) {
            DeleteSelected(page);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

TListTreeEditor::TPage& TListTreeEditor::PageOf(const QTreeWidget* tree) {
    return tree == FPages[ClientPageIndex].Tree ? FPages[ClientPageIndex] : FPages[CategoryPageIndex];
}

void TListTreeEditor::BuildTrees() {
    if (!IsSingleUser()) { // the latest shared lists
        FClients.Reload();
        FCategories.Reload();
    }
    FillTree(FClients, FPages[ClientPageIndex].Tree);
    FillTree(FCategories, FPages[CategoryPageIndex].Tree);
    for (TPage& page : FPages) {
        page.UndoStack = std::make_unique<TTreeViewUndoManager>(page.Tree);
        page.Tree->setExpandsOnDoubleClick(!MayEditAdminData());
        page.Tree->setCurrentItem(nullptr);
    }
    UpdateEnabling();
}

bool TListTreeEditor::AcceptEmptyMainEntries(const QTreeWidget* tree, const QString& question) {
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        if (tree->topLevelItem(i)->childCount() == 0)
            return ShowMessageBox(question, TMsgKind::Confirmation, mbYesNo) == mrYes;
    return true;
}

bool TListTreeEditor::ConfirmTrees() {
    if (!MayEditAdminData())
        return true;
    for (int index : {ClientPageIndex, CategoryPageIndex})
        if (!AcceptEmptyMainEntries(FPages[index].Tree, Text(Words[index].SaveQuestion)))
            return false;
    return true;
}

bool TListTreeEditor::SaveTrees(bool confirmed) {
    if (!MayEditAdminData())
        return true;
    if (!confirmed && !ConfirmTrees())
        return false;
    // Each list is written from a copy and taken over only once written, so that a list that
    // cannot be written stays as it was in memory and on disk.
    try {
        TClients clients = FClients;
        LoadFromTree(clients, FPages[ClientPageIndex].Tree);
        clients.Save();
        FClients = std::move(clients);
        TCategories categories = FCategories;
        LoadFromTree(categories, FPages[CategoryPageIndex].Tree);
        categories.Save();
        FCategories = std::move(categories);
    } catch (const EInOutError& error) {
        ShowMessageBox(error.Message(), TMsgKind::Error, mbOK);
        return false;
    }
    if (ListsChanged)
        ListsChanged();
    return true;
}

void TListTreeEditor::Release() {
    for (TPage& page : FPages) {
        page.UndoStack.reset();
        FreeNodeObjects(page.Tree);
        page.Tree->clear();
    }
    UpdateEnabling();
}

void TListTreeEditor::SetClientPageActive(bool active) {
    FClientPageActive = active;
    const TPageWords& words = Words[active ? ClientPageIndex : CategoryPageIndex];
    menuAddMain->setText(Text(words.AddMainCaption));
    menuAddSub->setText(Text(words.AddSubCaption));
    UpdatePopupMenu();
}

void TListTreeEditor::SetShowHints(bool show) {
    FShowHints = show;
    UpdateHints();
}

void TListTreeEditor::UpdateHints() {
    for (int index : {ClientPageIndex, CategoryPageIndex}) {
        TPage& page = FPages[index];
        SetHint(page.Tree, MayEditAdminData() ? QStringLiteral("Right mouse-click for menu options")
                                              : Text(Words[index].OtherUsersHint),
                FShowHints);
        QString caption;
        if (page.UndoStack)
            page.UndoStack->UndoCaption(caption);
        else
            caption = QStringLiteral("Undo");
        SetHint(page.Undo, caption, FShowHints);
    }
    ItemForm->ShowHints = FShowHints;
}

void TListTreeEditor::UpdateEnabling() {
    for (TPage& page : FPages)
        UpdatePageEnabling(page);
}

void TListTreeEditor::UpdatePageEnabling(TPage& page) {
    const bool may = MayEditAdminData();
    const bool selected = page.Tree->currentItem() != nullptr;
    page.AddMain->setEnabled(may);
    page.AddSub->setEnabled(may && selected);
    page.Edit->setEnabled(may && selected);
    page.Delete->setEnabled(may && selected);
    page.Undo->setEnabled(page.UndoStack && page.UndoStack->CanUndo());
    UpdateHints();
    UpdatePopupMenu();
}

void TListTreeEditor::UpdatePopupMenu() {
    const QTreeWidgetItem* selection = ActivePage().Tree->currentItem();
    menuAddMain->setEnabled(true);
    menuAddSub->setEnabled(selection != nullptr);
    menuEdit->setEnabled(selection != nullptr);
    menuDelete->setEnabled(selection != nullptr);
    menuActive->setChecked(IsActiveNode(selection));
    menuActive->setEnabled(CanChangeActive(selection));
}

void TListTreeEditor::ShowPopupMenu(TPage& page, const QPoint& at) {
    if (!MayEditAdminData())
        return;
    SetClientPageActive(&page == &FPages[ClientPageIndex]);
    UpdatePopupMenu();
    PopupMenu->popup(page.Tree->viewport()->mapToGlobal(at));
}

void TListTreeEditor::OpenItemForm(TPage& page, int level, int mode) {
    ItemForm->UndoManager = page.UndoStack.get();
    ItemForm->ShowHints = FShowHints;
    ItemForm->Configure(page.Tree, level, TTreeViewItemForm::TMode(mode));
    ItemForm->exec();
    UpdatePageEnabling(page);
}

void TListTreeEditor::EditSelected(TPage& page) {
    if (QTreeWidgetItem* node = page.Tree->currentItem())
        OpenItemForm(page, NodeLevel(node), TTreeViewItemForm::imEdit);
}

void TListTreeEditor::RecordUndo(TPage& page, const QString& caption) {
    if (!page.UndoStack)
        return;
    QString recorded;
    page.UndoStack->PushSnapshot(caption, recorded);
}

void TListTreeEditor::ToggleActive(TPage& page, bool active) {
    QTreeWidgetItem* node = page.Tree->currentItem();
    if (!CanChangeActive(node))
        return;
    RecordUndo(page, QStringLiteral("Undo active status change for ") +
                         EntryWord(page.Tree, NodeLevel(node)) + QLatin1Char(' ') + node->text(0));
    SetEntryActive(node, active);
    UpdatePageEnabling(page);
}

void TListTreeEditor::DeleteSelected(TPage& page) {
    QTreeWidgetItem* node = page.Tree->currentItem();
    if (!node || !MayEditAdminData())
        return;
    const int index = &page == &FPages[ClientPageIndex] ? ClientPageIndex : CategoryPageIndex;
    const QString word = QLatin1Char(' ') + EntryWord(page.Tree, NodeLevel(node));
    QString question = QStringLiteral("Delete the '") + node->text(0) + QLatin1Char('\'') + word;
    if (!node->parent() && node->childCount() > 0)
        question += Text(Words[index].SubEntrySuffix);
    question += QLatin1Char('?');
    if (ShowMessageBox(question, TMsgKind::Confirmation, mbYesNo) != mrYes)
        return;
    RecordUndo(page, QStringLiteral("Undo delete") + word + QStringLiteral(" \"") + node->text(0) +
                         QLatin1Char('"'));
    QTreeWidgetItem* main = node->parent();
    delete node; // its sub-entries and every data object with it
    if (main)
        RecomputeMainEntry(main);
    page.Tree->setCurrentItem(nullptr);
    UpdatePageEnabling(page);
}

void TListTreeEditor::UndoLast(TPage& page) {
    if (!page.UndoStack)
        return;
    QString caption;
    page.UndoStack->UndoLast(caption);
    page.Tree->setCurrentItem(nullptr);
    UpdatePageEnabling(page);
}
