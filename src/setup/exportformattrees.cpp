// The two trees of the export format editor: the fields still available and the format's
// columns in their groups, and the commands that move columns between and within them.
#include "exportformatform.h"

#include "base/messages.h"
#include "export/exportitem.h"
#include "setup/exportcolumnform.h"
#include "setup/mergechainpicture.h"
#include "setup/treehelpers.h"

#include <QCheckBox>
#include <QTreeWidget>

namespace {
constexpr int AreaRole = Qt::UserRole;
constexpr int FieldRole = Qt::UserRole + 1;
constexpr int ColumnRole = Qt::UserRole + 2;

bool IsGroup(const QTreeWidgetItem* node) {
    return node && !node->parent();
}

TExportArea AreaOf(const QTreeWidgetItem* node) {
    const QTreeWidgetItem* group = IsGroup(node) ? node : node->parent();
    return static_cast<TExportArea>(group->data(0, AreaRole).toInt());
}

TExportItem* ColumnOf(const QTreeWidgetItem* node) {
    return node ? reinterpret_cast<TExportItem*>(node->data(0, ColumnRole).value<quintptr>()) : nullptr;
}

TExportField FieldOf(const QTreeWidgetItem* node) {
    return static_cast<TExportField>(node->data(0, FieldRole).toInt());
}

QTreeWidgetItem* NewGroupNode(TExportArea area) {
    auto* node = new QTreeWidgetItem(QStringList{ExportGroupName(area)});
    node->setData(0, AreaRole, static_cast<int>(area));
    return node;
}

QList<QTreeWidgetItem*> TopLevelNodes(const QTreeWidget* tree) {
    QList<QTreeWidgetItem*> nodes;
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        nodes.append(tree->topLevelItem(i));
    return nodes;
}

// The sibling after node, else the one before it; null when it has none.
QTreeWidgetItem* NeighbourOf(QTreeWidgetItem* node) {
    QTreeWidget* tree = node->treeWidget();
    QTreeWidgetItem* parent = node->parent();
    const int index = parent ? parent->indexOfChild(node) : tree->indexOfTopLevelItem(node);
    const int count = parent ? parent->childCount() : tree->topLevelItemCount();
    const auto at = [&](int i) { return parent ? parent->child(i) : tree->topLevelItem(i); };
    if (index + 1 < count)
        return at(index + 1);
    return index > 0 ? at(index - 1) : nullptr;
}

// What is selected once node has left its tree: its next or previous sibling, or else its
// group's, as the group goes with its last node.
QTreeWidgetItem* SelectionAfterRemoving(QTreeWidgetItem* node) {
    QTreeWidgetItem* next = NeighbourOf(node);
    return next || !node->parent() ? next : NeighbourOf(node->parent());
}

// The first node of the tree, on any level, whose text equals text (a-z case ignored).
QTreeWidgetItem* FindNode(const QTreeWidget* tree, const QString& text) {
    for (QTreeWidgetItem* group : TopLevelNodes(tree)) {
        if (SameAsciiText(group->text(0), text))
            return group;
        for (int i = 0; i < group->childCount(); ++i)
            if (SameAsciiText(group->child(i)->text(0), text))
                return group->child(i);
    }
    return nullptr;
}

void Select(QTreeWidget* tree, QTreeWidgetItem* node) {
    tree->setCurrentItem(node);
    if (!node)
        tree->clearSelection();
}
} // namespace

void TExportFormatForm::FillAvailable() {
    treeAvailable->clear();
    for (int code = 0; code < StandardFieldCount; ++code) {
        const auto field = static_cast<TExportField>(code);
        bool used = false;
        for (TExportArea area : {TExportArea::Client, TExportArea::Category, TExportArea::Data})
            for (const auto& item : FFormat->Items(area))
                used = used || item->Field == field;
        if (!used)
            AddAvailableField(field);
    }
    treeAvailable->expandAll();
}

void TExportFormatForm::FillSelected() {
    treeSelected->clear();
    for (TExportArea area : FFormat->GroupOrder()) {
        if (area == TExportArea::None)
            continue;
        for (const auto& item : FFormat->Items(area))
            AddSelectedColumn(item.get());
    }
    treeSelected->expandAll();
    UpdateMarks();
}

void TExportFormatForm::SelectFirstNodes() {
    if (treeAvailable->topLevelItemCount() > 0) {
        Select(treeAvailable, treeAvailable->topLevelItem(0));
        Select(treeSelected, nullptr);
        treeAvailable->setFocus();
    } else {
        Select(treeSelected, treeSelected->topLevelItem(0));
        treeSelected->setFocus();
    }
}

// The available tree's group node of the area; a new one goes before the first group of a
// later area, else at the end.
QTreeWidgetItem* TExportFormatForm::AvailableGroup(TExportArea area, bool create) {
    int index = 0;
    for (QTreeWidgetItem* group : TopLevelNodes(treeAvailable)) {
        if (AreaOf(group) == area)
            return group;
        if (AreaOf(group) > area)
            break;
        ++index;
    }
    if (!create)
        return nullptr;
    QTreeWidgetItem* group = NewGroupNode(area);
    treeAvailable->insertTopLevelItem(index, group);
    group->setExpanded(true);
    return group;
}

// The selected tree's group node of the area; a new one goes at the end.
QTreeWidgetItem* TExportFormatForm::SelectedGroup(TExportArea area, bool create) {
    for (QTreeWidgetItem* group : TopLevelNodes(treeSelected))
        if (AreaOf(group) == area)
            return group;
    if (!create)
        return nullptr;
    QTreeWidgetItem* group = NewGroupNode(area);
    group->setIcon(0, MergeChainPicture(5));
    treeSelected->addTopLevelItem(group);
    group->setExpanded(true);
    return group;
}

// A field goes back among its group's fields in the order of the field codes.
void TExportFormatForm::AddAvailableField(TExportField field) {
    QTreeWidgetItem* group = AvailableGroup(ExportFieldArea(field), true);
    auto* node = new QTreeWidgetItem(QStringList{ExportFieldName(field)});
    node->setData(0, FieldRole, static_cast<int>(field));
    int index = 0;
    while (index < group->childCount() && FieldOf(group->child(index)) < field)
        ++index;
    group->insertChild(index, node);
}

QTreeWidgetItem* TExportFormatForm::AddSelectedColumn(TExportItem* column) {
    QTreeWidgetItem* group = SelectedGroup(column->FieldArea, true);
    auto* node = new QTreeWidgetItem(QStringList{column->DisplayName()});
    node->setData(0, ColumnRole, QVariant::fromValue(reinterpret_cast<quintptr>(column)));
    group->addChild(node);
    return node;
}

// Deletes the node, and its group when it was the group's last node.
void TExportFormatForm::RemoveNode(QTreeWidgetItem* node) {
    QTreeWidgetItem* group = node->parent();
    delete node;
    if (group && group->childCount() == 0)
        delete group;
}

void TExportFormatForm::ApplyGroupOrder() {
    QStringList names;
    for (QTreeWidgetItem* group : TopLevelNodes(treeSelected))
        names.append(group->text(0));
    FFormat->SetGroupOrder(names);
    UpdateMarks();
}

void TExportFormatForm::UpdateMarks() {
    for (QTreeWidgetItem* group : TopLevelNodes(treeSelected)) {
        bool previousMerges = false;
        for (int i = 0; i < group->childCount(); ++i) {
            const TExportItem* column = ColumnOf(group->child(i));
            const bool merges = column->FieldMergeFollowing;
            group->child(i)->setIcon(
                0, MergeChainPicture(MergeChainIndex(previousMerges, merges, i + 1 < group->childCount())));
            previousMerges = merges;
        }
    }
}

void TExportFormatForm::IncludeNode(QTreeWidgetItem* node) {
    if (IsGroup(node)) {
        // The last field's removal deletes the group, so the count is taken first.
        for (int left = node->childCount(); left > 0; --left)
            IncludeNode(node->child(0));
        return;
    }
    AddSelectedColumn(FFormat->AddField(FieldOf(node)));
    RemoveNode(node);
}

void TExportFormatForm::IncludeClicked() {
    QTreeWidgetItem* node = treeAvailable->currentItem();
    if (!node)
        return;
    const QString text = node->text(0);
    QTreeWidgetItem* next = SelectionAfterRemoving(node);
    IncludeNode(node); // deletes node, and its group when it held no other field
    Select(treeAvailable, next);
    treeSelected->expandAll();
    Select(treeSelected, FindNode(treeSelected, text));
    ApplyGroupOrder();
    UpdateEnabling();
}

void TExportFormatForm::IncludeAllClicked() {
    while (treeAvailable->topLevelItemCount() > 0)
        IncludeNode(treeAvailable->topLevelItem(0));
    treeSelected->expandAll();
    Select(treeSelected, treeSelected->topLevelItem(0));
    ApplyGroupOrder();
    UpdateEnabling();
}

// A standard field goes back to the available fields; a user-defined column is destroyed.
void TExportFormatForm::ExcludeNode(QTreeWidgetItem* node) {
    if (IsGroup(node)) {
        // The last column's removal deletes the group, so the count is taken first.
        for (int left = node->childCount(); left > 0; --left)
            ExcludeNode(node->child(0));
        return;
    }
    TExportItem* column = ColumnOf(node);
    if (!column->IsUserDefined())
        AddAvailableField(column->Field);
    RemoveNode(node);
    FFormat->RemoveItem(column);
}

void TExportFormatForm::ExcludeClicked() {
    QTreeWidgetItem* node = treeSelected->currentItem();
    if (!node)
        return;
    const QString text = node->text(0);
    QTreeWidgetItem* next = SelectionAfterRemoving(node);
    ExcludeNode(node); // deletes node, and its group when it held no other column
    Select(treeSelected, next);
    treeAvailable->expandAll();
    QTreeWidgetItem* returned = FindNode(treeAvailable, text);
    if (returned)
        Select(treeAvailable, returned);
    ApplyGroupOrder();
    UpdateEnabling();
}

void TExportFormatForm::ExcludeAllClicked() {
    FFormat->ClearItems();
    treeSelected->clear();
    treeAvailable->clear();
    for (int code = 0; code < StandardFieldCount; ++code)
        AddAvailableField(static_cast<TExportField>(code));
    treeAvailable->expandAll();
    Select(treeAvailable, treeAvailable->topLevelItem(0));
    UpdateEnabling();
}

void TExportFormatForm::DeleteClicked() {
    const TExportItem* column = SelectedColumn();
    if (!column || !column->IsUserDefined())
        return;
    if (ShowMessageBox(QStringLiteral("Delete the \"") + column->DisplayName() +
                           QStringLiteral("\" user-defined column?"),
                       TMsgKind::Confirmation, mbYesNo) == mrYes)
        ExcludeClicked();
}

void TExportFormatForm::MoveClicked(int direction) {
    QTreeWidgetItem* node = treeSelected->currentItem();
    if (!node)
        return;
    const bool group = IsGroup(node);
    TExportItem* column = ColumnOf(node);
    QTreeWidgetItem* moved = MoveNode(node, direction);
    if (!moved)
        return;
    treeSelected->setCurrentItem(moved);
    if (group)
        ApplyGroupOrder();
    else {
        FFormat->MoveItem(column, direction);
        UpdateMarks();
    }
    UpdateEnabling();
}

TExportColumnForm& TExportFormatForm::ColumnEditor() {
    if (!ColumnForm)
        ColumnForm = new TExportColumnForm(this);
    ColumnForm->ShowHints = ShowHints;
    return *ColumnForm;
}

TExportItem* TExportFormatForm::SelectedColumn() const {
    const QTreeWidgetItem* node = treeSelected->currentItem();
    return node && !IsGroup(node) ? ColumnOf(node) : nullptr;
}

void TExportFormatForm::AddClicked() {
    const QTreeWidgetItem* node = treeSelected->currentItem();
    const TExportArea area = node ? AreaOf(node) : TExportArea::Data;
    std::unique_ptr<TExportItem> column = FFormat->NewUserDefinedColumn(area);
    if (!ColumnEditor().Open(*column, *FFormat, chkUseHeadings->isChecked(), false, false))
        return; // the new column is destroyed with its pointer
    const bool newGroup = !SelectedGroup(area, false);
    QTreeWidgetItem* added = AddSelectedColumn(FFormat->AddItem(std::move(column)));
    treeSelected->expandAll();
    treeSelected->setCurrentItem(added);
    if (newGroup)
        ApplyGroupOrder();
    UpdateMarks();
    UpdateEnabling();
}

void TExportFormatForm::EditClicked() {
    QTreeWidgetItem* node = treeSelected->currentItem();
    TExportItem* column = SelectedColumn();
    if (!column)
        return;
    QTreeWidgetItem* group = node->parent();
    const int index = group->indexOfChild(node);
    const bool merged = index > 0 && ColumnOf(group->child(index - 1))->FieldMergeFollowing;
    const bool last = index + 1 == group->childCount();
    if (ColumnEditor().Open(*column, *FFormat, chkUseHeadings->isChecked() && !merged, merged, last))
        node->setText(0, column->DisplayName());
    UpdateMarks();
    UpdateEnabling();
}
