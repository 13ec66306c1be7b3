#pragma once

#include <optional>

#include <QIcon>
#include <QList>
#include <QTreeWidgetItem>
#include <QVariant>

class QRadioButton;
class QTreeWidget;

// Nodes of the list trees carry a value object (the active flag and, for projects, billing)
// in NodeObjectRole. It is held by value, so copying a node copies it deeply and nothing
// leaks when a node is deleted; FreeNodeObjects only detaches it.
inline constexpr int NodeObjectRole = Qt::UserRole;
// The node's state picture index (1 active, 2 inactive).
inline constexpr int NodeStateRole = Qt::UserRole + 1;

// Detaches the object of every node of the tree, on all levels.
void FreeNodeObjects(QTreeWidget* tree);

// Attaches a copy of object to the node.
template <typename T> void SetNodeObject(QTreeWidgetItem* node, const T& object);
// A copy of the node's object when it is a T; none when the node has no object or another kind.
template <typename T> std::optional<T> NodeObject(const QTreeWidgetItem* node);

// State picture index: 1 for active, 2 for inactive.
int StateIndexOf(bool active);
bool IsActiveState(int index);
// The mark shown for a state picture index (11 x 12 pixels); none for other indexes.
QIcon StatePicture(int index);
// Gives the node the state picture index of active and shows its mark.
void SetNodeState(QTreeWidgetItem* node, bool active);
// The node's state picture index; 0 when it has none (which counts as active).
int NodeStateIndex(const QTreeWidgetItem* node);

// True for the set-up window's client/project tree ("treeViewClient", letter case ignored).
bool IsClientTree(const QTreeWidget* tree);

// Moves node one place up (direction < 0) or down (direction > 0) among its siblings, children
// included, expands it and returns it at its new place; null when there is no sibling there.
QTreeWidgetItem* MoveNode(QTreeWidgetItem* node, int direction);

// Checks the button at index and unchecks the others.
void SelectRadio(int index, const QList<QRadioButton*>& buttons);

template <typename T> void SetNodeObject(QTreeWidgetItem* node, const T& object) {
    node->setData(0, NodeObjectRole, QVariant::fromValue(object));
}

template <typename T> std::optional<T> NodeObject(const QTreeWidgetItem* node) {
    const QVariant data = node->data(0, NodeObjectRole);
    if (data.metaType() != QMetaType::fromType<T>())
        return std::nullopt;
    return data.value<T>();
}
