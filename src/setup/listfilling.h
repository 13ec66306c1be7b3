#pragma once

#include "storage/lists/categories.h"
#include "storage/lists/clients.h"

#include <QString>

class QComboBox;
class QTreeWidget;

// Filling the drop-down boxes and the set-up trees from the client/project and
// category/activity lists, and rebuilding the lists from the trees.

// Empties the box; disables it when the list has no entries (enabling is left to the caller,
// which knows whether the box may be used at all), otherwise adds the names in list order,
// only the active ones when activeOnly.
void FillClientBox(const TClients& clients, QComboBox* box, bool activeOnly);
void FillCategoryBox(const TCategories& categories, QComboBox* box, bool activeOnly);

// Empties the box and adds the sub-entries of the entry called client (category), letter case
// ignored, in order; with activeOnly only active ones, and none when the entry is inactive.
void FillProjectBox(const TClients& clients, const QString& client, QComboBox* box,
                    bool activeOnly);
void FillActivityBox(const TCategories& categories, const QString& category, QComboBox* box,
                     bool activeOnly);

// Rebuilds the tree with one node per client (category) and under it one node per project
// (activity), sorted alphabetically on both levels. Each node shows its state picture and
// carries its data by value: a client node a copy of the client without projects, a project
// node its TProjectInfo (active flag and billing), an activity node its TActivityInfo.
void FillTree(const TClients& clients, QTreeWidget* tree);
void FillTree(const TCategories& categories, QTreeWidget* tree);

// Rebuilds the list from the tree in tree order: every top-level node with children becomes
// an entry with the node's trimmed name, its children the sub-entries with their trimmed
// names and the active flag (and, for projects, the billing) of their data. Top-level nodes
// without children are dropped. A child without data takes the active flag of its state.
void LoadFromTree(TClients& clients, const QTreeWidget* tree);
void LoadFromTree(TCategories& categories, const QTreeWidget* tree);

// Sorts the tree as FillTree leaves it: names alphabetical on both levels.
void SortListTree(QTreeWidget* tree);
