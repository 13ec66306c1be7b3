#include "listtreeitem.h"

#include "storage/lists/listlines.h"

TListTreeItem::TListTreeItem(const QString& text) : QTreeWidgetItem(QStringList(text), ItemType) {}

TListTreeItem::TListTreeItem(QTreeWidget* tree, const QString& text)
    : QTreeWidgetItem(tree, QStringList(text), ItemType) {}

TListTreeItem::TListTreeItem(QTreeWidgetItem* parent, const QString& text)
    : QTreeWidgetItem(parent, QStringList(text), ItemType) {}

bool TListTreeItem::operator<(const QTreeWidgetItem& other) const {
    // The list trees have one column: the name.
    return CompareListNames(text(0), other.text(0)) < 0;
}

QTreeWidgetItem* TListTreeItem::clone() const {
    auto* copy = new TListTreeItem(QString());
    *static_cast<QTreeWidgetItem*>(copy) = *this;
    for (int i = 0; i < childCount(); ++i)
        copy->addChild(child(i)->clone());
    return copy;
}
