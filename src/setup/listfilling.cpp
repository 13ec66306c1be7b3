#include "listfilling.h"

#include "setup/listtreeitem.h"
#include "setup/treehelpers.h"

#include <QComboBox>
#include <QTreeWidget>

namespace {
template <typename TList> void FillMainBox(const TList& list, QComboBox* box, bool activeOnly) {
    box->clear();
    if (!list.HasItems()) {
        box->setEnabled(false);
        return;
    }
    QStringList names;
    for (const auto& entry : list.Items())
        if (!activeOnly || entry.Active)
            names.append(entry.Name);
    box->addItems(names);
}

template <typename TEntry> void FillSubBox(const TEntry* entry, QComboBox* box, bool activeOnly) {
    box->clear();
    if (!entry || (activeOnly && !entry->Active))
        return;
    QStringList names;
    for (const auto& sub : entry->SubEntries())
        if (!activeOnly || sub.Info.Active)
            names.append(sub.Name);
    box->addItems(names);
}

// Repainting is held back while the tree is rebuilt and given back as it was.
class TUpdatesSuspended {
public:
    explicit TUpdatesSuspended(QWidget* widget)
        : FWidget(widget), FWereEnabled(widget->updatesEnabled()) {
        FWidget->setUpdatesEnabled(false);
    }
    ~TUpdatesSuspended() { FWidget->setUpdatesEnabled(FWereEnabled); }
    TUpdatesSuspended(const TUpdatesSuspended&) = delete;
    TUpdatesSuspended& operator=(const TUpdatesSuspended&) = delete;

private:
    QWidget* FWidget;
    bool FWereEnabled;
};

template <typename TObject>
QTreeWidgetItem* NewNode(const QString& name, const TObject& object, bool active) {
    auto* node = new TListTreeItem(name);
    SetNodeObject(node, object);
    SetNodeState(node, active);
    return node;
}

template <typename TEntry, typename TList> void FillListTree(const TList& list, QTreeWidget* tree) {
    TUpdatesSuspended suspended(tree);
    FreeNodeObjects(tree);
    tree->clear();
    QList<QTreeWidgetItem*> nodes;
    for (const TEntry& entry : list.Items()) {
        QTreeWidgetItem* node = NewNode(entry.Name, TEntry::CreateCopy(entry, false), entry.Active);
        for (const auto& sub : entry.SubEntries())
            node->addChild(NewNode(sub.Name, sub.Info, sub.Info.Active));
        nodes.append(node);
    }
    tree->addTopLevelItems(nodes);
    SortListTree(tree);
}

// The data a sub-entry node carries; a node without it is taken from its state picture.
template <typename TInfo> TInfo SubEntryInfo(const QTreeWidgetItem* node) {
    if (std::optional<TInfo> info = NodeObject<TInfo>(node))
        return *info;
    return TInfo(IsActiveState(NodeStateIndex(node)));
}

// Calls add(main name, sub name, sub node) for every child of a top-level node, in tree order.
template <typename TAdd> void ForEachSubNode(const QTreeWidget* tree, TAdd add) {
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* node = tree->topLevelItem(i);
        const QString name = node->text(0).trimmed();
        for (int j = 0; j < node->childCount(); ++j)
            add(name, node->child(j)->text(0).trimmed(), node->child(j));
    }
}
} // namespace

void FillClientBox(const TClients& clients, QComboBox* box, bool activeOnly) {
    FillMainBox(clients, box, activeOnly);
}

void FillCategoryBox(const TCategories& categories, QComboBox* box, bool activeOnly) {
    FillMainBox(categories, box, activeOnly);
}

void FillProjectBox(const TClients& clients, const QString& client, QComboBox* box,
                    bool activeOnly) {
    FillSubBox(clients.FindClient(client, false), box, activeOnly);
}

void FillActivityBox(const TCategories& categories, const QString& category, QComboBox* box,
                     bool activeOnly) {
    FillSubBox(categories.FindCategory(category, false), box, activeOnly);
}

void FillTree(const TClients& clients, QTreeWidget* tree) {
    FillListTree<TClient>(clients, tree);
}

void FillTree(const TCategories& categories, QTreeWidget* tree) {
    FillListTree<TCategory>(categories, tree);
}

void LoadFromTree(TClients& clients, const QTreeWidget* tree) {
    clients.Clear();
    ForEachSubNode(tree,
                   [&](const QString& client, const QString& project, const QTreeWidgetItem* node) {
                       clients.AddEntry(client, project, SubEntryInfo<TProjectInfo>(node));
                   });
}

void LoadFromTree(TCategories& categories, const QTreeWidget* tree) {
    categories.Clear();
    ForEachSubNode(
        tree, [&](const QString& category, const QString& activity, const QTreeWidgetItem* node) {
            categories.AddEntry(category, activity, SubEntryInfo<TActivityInfo>(node).Active);
        });
}

void SortListTree(QTreeWidget* tree) {
    tree->sortItems(0, Qt::AscendingOrder);
}
