#include "treeactivity.h"

#include "setup/treehelpers.h"
#include "storage/lists/activityinfo.h"
#include "storage/lists/category.h"
#include "storage/lists/client.h"
#include "storage/lists/projectinfo.h"

#include <QTreeWidget>

namespace {
// Stores the flag in the node's data object when it is a T.
template <typename T> bool StoreActive(QTreeWidgetItem* node, bool active) {
    std::optional<T> object = NodeObject<T>(node);
    if (!object)
        return false;
    object->Active = active;
    SetNodeObject(node, *object);
    return true;
}

void StoreNodeActive(QTreeWidgetItem* node, bool active) {
    SetNodeState(node, active);
    if (!StoreActive<TProjectInfo>(node, active) && !StoreActive<TActivityInfo>(node, active) &&
        !StoreActive<TClient>(node, active))
        StoreActive<TCategory>(node, active);
}

QChar FoldAsciiCase(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? QChar(c.unicode() + 32) : c;
}
} // namespace

bool IsActiveNode(const QTreeWidgetItem* node) {
    return node && IsActiveState(NodeStateIndex(node));
}

void SetSubEntryActive(QTreeWidgetItem* node, bool active) {
    StoreNodeActive(node, active);
    if (node->parent())
        RecomputeMainEntry(node->parent());
}

void RecomputeMainEntry(QTreeWidgetItem* node) {
    bool active = false;
    for (int i = 0; i < node->childCount(); ++i)
        active = active || IsActiveNode(node->child(i));
    StoreNodeActive(node, active);
}

void SetMainEntryActive(QTreeWidgetItem* node, bool active) {
    for (int i = 0; i < node->childCount(); ++i)
        StoreNodeActive(node->child(i), active);
    RecomputeMainEntry(node);
}

void SetEntryActive(QTreeWidgetItem* node, bool active) {
    if (node->parent())
        SetSubEntryActive(node, active);
    else
        SetMainEntryActive(node, active);
}

bool CanChangeActive(const QTreeWidgetItem* node) {
    return node && (node->parent() || node->childCount() > 0);
}

QString EntryWord(const QTreeWidget* tree, int level) {
    if (IsClientTree(tree))
        return level == 0 ? QStringLiteral("Client") : QStringLiteral("Project");
    return level == 0 ? QStringLiteral("Category") : QStringLiteral("Activity");
}

int NodeLevel(const QTreeWidgetItem* node) {
    return node && node->parent() ? 1 : 0;
}

QTreeWidgetItem* MainEntryOf(QTreeWidgetItem* node) {
    return node && node->parent() ? node->parent() : node;
}

bool SameEntryName(const QString& one, const QString& other) {
    if (one.size() != other.size())
        return false;
    for (qsizetype i = 0; i < one.size(); ++i)
        if (FoldAsciiCase(one.at(i)) != FoldAsciiCase(other.at(i)))
            return false;
    return true;
}
