#pragma once

#include "storage/lists/categories.h"
#include "storage/lists/clients.h"

#include <functional>
#include <memory>

#include <QObject>

class QAction;
class QEvent;
class QPoint;
class QMenu;
class QPushButton;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
class TTreeViewItemForm;
class TTreeViewUndoManager;

// The set-up window's two pages on which the shared lists are edited: "Client/Project" with the
// tree treeViewClient and "Category/Activity" with treeViewCategory, each with its add, edit,
// delete and undo buttons, and one popup menu for both trees. The trees are working copies:
// the lists change only when SaveTrees writes them (the set-up window's OK), and only users
// who may change administration data can change anything.
class TListTreeEditor : public QObject {
    Q_OBJECT
public:
    // The lists are the main window's administration lists; they outlive the editor.
    TListTreeEditor(TClients& clients, TCategories& categories, QObject* parent = nullptr);
    ~TListTreeEditor() override;

    // The pages ("shtClientProject" and "shtCategoryActivity"), made with the editor and
    // owned by whoever places them (the set-up window's page control).
    QWidget* ClientPage() const { return FPages[ClientPageIndex].Page; }
    QWidget* CategoryPage() const { return FPages[CategoryPageIndex].Page; }

    // When the window is shown: outside single-user use the lists are read again from their
    // files, then both trees are filled from them and get new undo stacks.
    void BuildTrees();
    // When the window is confirmed: asks about main entries without sub-entries (No gives
    // false and nothing is written), rebuilds both lists from the trees, writes them and calls
    // ListsChanged. A list that cannot be written is reported and gives false.
    bool SaveTrees(bool confirmed = false);
    // The questions SaveTrees asks first (main entries without sub-entries are left out):
    // false when the user said No. Asked before the shared lock is taken, so that nobody
    // waits for an answer; SaveTrees(true) then asks no more.
    bool ConfirmTrees();
    // When the window is hidden: the undo stacks and the trees' nodes are let go.
    void Release();

    // The page shown: its tree is the one the popup menu and the commands act on, and the
    // menu's add captions follow it.
    void SetClientPageActive(bool active);
    // The hints of the buttons and trees, shown while the set-up window's "Show hints" is on.
    void SetShowHints(bool show);
    // Refreshes which commands can be used.
    void UpdateEnabling();

    // Told after the lists were written: the main window's in-use lists must be rebuilt.
    std::function<void()> ListsChanged;

    QTreeWidget* treeViewClient = nullptr;
    QTreeWidget* treeViewCategory = nullptr;
    QPushButton* btnAddClient = nullptr;
    QPushButton* btnAddProject = nullptr;
    QPushButton* btnEditClientProject = nullptr;
    QPushButton* btnDeleteClientProject = nullptr;
    QToolButton* btnClientProjectUndo = nullptr;
    QPushButton* btnAddCategory = nullptr;
    QPushButton* btnAddActivity = nullptr;
    QPushButton* btnEditCategoryActivity = nullptr;
    QPushButton* btnDeleteCategoryActivity = nullptr;
    QToolButton* btnCategoryActivityUndo = nullptr;
    QMenu* PopupMenu = nullptr;
    QAction* menuAddMain = nullptr;
    QAction* menuAddSub = nullptr;
    QAction* menuEdit = nullptr;
    QAction* menuActive = nullptr;
    QAction* menuDelete = nullptr;
    TTreeViewItemForm* ItemForm = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The controls of one page and its undo stack.
    struct TPage {
        QWidget* Page = nullptr;
        QTreeWidget* Tree = nullptr;
        QPushButton* AddMain = nullptr;
        QPushButton* AddSub = nullptr;
        QPushButton* Edit = nullptr;
        QPushButton* Delete = nullptr;
        QToolButton* Undo = nullptr;
        std::unique_ptr<TTreeViewUndoManager> UndoStack;
    };
    enum TPageIndex { ClientPageIndex = 0, CategoryPageIndex = 1 };

    void CreatePage(TPageIndex index);
    void CreatePopupMenu();
    void ConnectPage(TPage& page);
    TPage& PageOf(const QTreeWidget* tree);
    TPage& ActivePage() { return FPages[FClientPageActive ? ClientPageIndex : CategoryPageIndex]; }
    void UpdatePageEnabling(TPage& page);
    void UpdatePopupMenu();
    void UpdateHints();

    // The commands, on a page's tree.
    void OpenItemForm(TPage& page, int level, int mode);
    void EditSelected(TPage& page);
    void ToggleActive(TPage& page, bool active);
    void DeleteSelected(TPage& page);
    void UndoLast(TPage& page);
    void RecordUndo(TPage& page, const QString& caption);
    // Asks the question about main entries without sub-entries; false for No.
    static bool AcceptEmptyMainEntries(const QTreeWidget* tree, const QString& question);
    void ShowPopupMenu(TPage& page, const QPoint& at);

    TPage FPages[2];
    TClients& FClients;
    TCategories& FCategories;
    bool FClientPageActive = true;
    bool FShowHints = true;
};
