#pragma once

#include <QString>

class QTreeWidget;
class QTreeWidgetItem;

// The active rule of the list trees: a sub-entry (project, activity) has its own active flag;
// a main entry (client, category) is active when at least one of its sub-entries is, and a main
// entry without sub-entries is inactive. Each node shows its state mark and keeps the flag in
// its data object too, so that saving and undo see the same state.

bool IsActiveNode(const QTreeWidgetItem* node);
// Gives a sub-entry its flag and recomputes its main entry.
void SetSubEntryActive(QTreeWidgetItem* node, bool active);
// Recomputes a main entry's state from its sub-entries.
void RecomputeMainEntry(QTreeWidgetItem* node);
// A main entry with sub-entries gives the flag to all of them; without, it stays inactive.
void SetMainEntryActive(QTreeWidgetItem* node, bool active);
// Either of the two above, by the node's level.
void SetEntryActive(QTreeWidgetItem* node, bool active);
// Whether the active state of the node can be changed at all: a sub-entry, or a main entry
// with sub-entries.
bool CanChangeActive(const QTreeWidgetItem* node);

// The words of a level of a tree: "Client" and "Project" for the client tree, "Category"
// and "Activity" for the other.
QString EntryWord(const QTreeWidget* tree, int level);
// 0 for main entries, 1 for sub-entries.
int NodeLevel(const QTreeWidgetItem* node);
// The main entry of a node: the node itself or its parent.
QTreeWidgetItem* MainEntryOf(QTreeWidgetItem* node);

// Names of the same level are the same when they are equal with the letters a-z taken
// without regard to case (other letters must match exactly).
bool SameEntryName(const QString& one, const QString& other);
