#pragma once

#include <QTreeWidgetItem>

class QTreeWidget;

// A node of the client/project and category/activity trees. Siblings sort alphabetically by
// name in the program locale's collation with letter case ignored, the order the set-up
// window keeps its trees in (QTreeWidgetItem's own order compares code points, putting "Zeta"
// before "acme").
class TListTreeItem : public QTreeWidgetItem {
public:
    static constexpr int ItemType = QTreeWidgetItem::UserType + 1;

    explicit TListTreeItem(const QString& text);
    TListTreeItem(QTreeWidget* tree, const QString& text);
    TListTreeItem(QTreeWidgetItem* parent, const QString& text);

    bool operator<(const QTreeWidgetItem& other) const override;
    // A copy of the node and its children, all of this type, with their data.
    QTreeWidgetItem* clone() const override;
};
