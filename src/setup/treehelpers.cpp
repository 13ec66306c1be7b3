#include "treehelpers.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygonF>
#include <QRadioButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

void FreeNodeObjects(QTreeWidget* tree) {
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        (*it)->setData(0, NodeObjectRole, QVariant());
}

int StateIndexOf(bool active) {
    return active ? 1 : 2;
}

bool IsActiveState(int index) {
    return index != 2;
}

namespace {
// One state mark drawn at a device pixel ratio, so that it is sharp on dense screens too.
QPixmap StateMark(int index, qreal ratio) {
    QPixmap picture(QSize(qRound(11 * ratio), qRound(12 * ratio)));
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0.5, 1.5, 10, 10);
    if (index == 1) {
        // Active: a green box with a white tick.
        painter.setPen(QPen(QColor(0, 110, 0), 1));
        painter.setBrush(QColor(40, 160, 40));
        painter.drawRoundedRect(box, 1.5, 1.5);
        painter.setPen(QPen(Qt::white, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolyline(QPolygonF({{2.8, 6.6}, {4.6, 8.4}, {8.3, 4.2}}));
    } else {
        // Inactive: an empty grey box with a short grey bar.
        painter.setPen(QPen(QColor(128, 128, 128), 1));
        painter.setBrush(QColor(235, 235, 235));
        painter.drawRoundedRect(box, 1.5, 1.5);
        painter.setPen(QPen(QColor(150, 150, 150), 1.4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(3.5, 6.5), QPointF(7.5, 6.5));
    }
    return picture;
}
} // namespace

QIcon StatePicture(int index) {
    if (index != 1 && index != 2)
        return {};
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0})
        icon.addPixmap(StateMark(index, ratio));
    return icon;
}

void SetNodeState(QTreeWidgetItem* node, bool active) {
    const int index = StateIndexOf(active);
    node->setData(0, NodeStateRole, index);
    node->setIcon(0, StatePicture(index));
}

int NodeStateIndex(const QTreeWidgetItem* node) {
    return node->data(0, NodeStateRole).toInt();
}

bool IsClientTree(const QTreeWidget* tree) {
    return tree && tree->objectName().toUpper() == QLatin1String("TREEVIEWCLIENT");
}

namespace {
// The parent's child list and the tree's top level behave alike for a move.
int IndexAmongSiblings(QTreeWidgetItem* node) {
    if (QTreeWidgetItem* parent = node->parent())
        return parent->indexOfChild(node);
    return node->treeWidget()->indexOfTopLevelItem(node);
}

int SiblingCount(QTreeWidgetItem* node) {
    if (QTreeWidgetItem* parent = node->parent())
        return parent->childCount();
    return node->treeWidget()->topLevelItemCount();
}

QTreeWidgetItem* TakeSibling(QTreeWidgetItem* node, int index) {
    if (QTreeWidgetItem* parent = node->parent())
        return parent->takeChild(index);
    return node->treeWidget()->takeTopLevelItem(index);
}

void InsertSibling(QTreeWidgetItem* parent, QTreeWidget* tree, int index, QTreeWidgetItem* item) {
    if (parent)
        parent->insertChild(index, item);
    else
        tree->insertTopLevelItem(index, item);
}
} // namespace

QTreeWidgetItem* MoveNode(QTreeWidgetItem* node, int direction) {
    if (!node || !node->treeWidget() || direction == 0)
        return nullptr;
    const int index = IndexAmongSiblings(node);
    const int other = direction < 0 ? index - 1 : index + 1;
    if (other < 0 || other >= SiblingCount(node))
        return nullptr;
    QTreeWidget* tree = node->treeWidget();
    QTreeWidgetItem* parent = node->parent();
    const bool wasCurrent = tree->currentItem() == node;
    // Take the later of the two and put it before the earlier one; the item moves whole,
    // with its children and data.
    const int later = std::max(index, other);
    QTreeWidgetItem* moved = TakeSibling(node, later);
    InsertSibling(parent, tree, later - 1, moved);
    node->setExpanded(true);
    if (wasCurrent)
        tree->setCurrentItem(node);
    return node;
}

void SelectRadio(int index, const QList<QRadioButton*>& buttons) {
    for (int i = 0; i < buttons.size(); ++i) {
        const bool wasExclusive = buttons[i]->autoExclusive();
        buttons[i]->setAutoExclusive(false);
        buttons[i]->setChecked(i == index);
        buttons[i]->setAutoExclusive(wasExclusive);
    }
}
