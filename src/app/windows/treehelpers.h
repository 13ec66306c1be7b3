#pragma once

#include <QList>
#include <QVariant>

class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

// Nodes of the list trees carry a value object (the active flag and, for projects, billing)
// in NodeObjectRole. It is held by value, so copying a node copies it deeply and nothing
// leaks when a node is deleted; FreeNodeObjects only detaches it.
inline constexpr int NodeObjectRole = Qt::UserRole;
// The node's state picture index (1 active, 2 inactive).
inline constexpr int NodeStateRole = Qt::UserRole + 1;

// Detaches the object of every node of the tree, on all levels.
void FreeNodeObjects(QTreeWidget* tree);

// State picture index: 1 for active, 2 for inactive.
int StateIndexOf(bool active);
bool IsActiveState(int index);

// True for the set-up window's client/project tree ("treeViewClient", letter case ignored).
bool IsClientTree(const QTreeWidget* tree);

// Moves node one place up (direction < 0) or down (direction > 0) among its siblings, children
// included, expands it and returns it at its new place; null when there is no sibling there.
QTreeWidgetItem* MoveNode(QTreeWidgetItem* node, int direction);

// Checks the button at index and unchecks the others.
void SelectRadio(int index, const QList<QRadioButton*>& buttons);
