#include "setup/treehelpers.h"

#include <QRadioButton>
#include <QTreeWidget>
#include <QWidget>

#include <gtest/gtest.h>

namespace {
QTreeWidgetItem* AddNode(QTreeWidget& tree, QTreeWidgetItem* parent, const QString& text) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
    item->setText(0, text);
    item->setData(0, NodeObjectRole, QVariant::fromValue(text + QStringLiteral("-data")));
    return item;
}

QStringList TopLevelTexts(const QTreeWidget& tree) {
    QStringList texts;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        texts.append(tree.topLevelItem(i)->text(0));
    return texts;
}
} // namespace

TEST(TreeHelpers, StateIndexesAndClientTreeName) {
    EXPECT_EQ(StateIndexOf(true), 1);
    EXPECT_EQ(StateIndexOf(false), 2);
    EXPECT_TRUE(IsActiveState(1));
    EXPECT_TRUE(IsActiveState(0));
    EXPECT_FALSE(IsActiveState(2));
    QTreeWidget tree;
    tree.setObjectName(QStringLiteral("treeViewClient"));
    EXPECT_TRUE(IsClientTree(&tree));
    tree.setObjectName(QStringLiteral("TreeViewClient"));
    EXPECT_TRUE(IsClientTree(&tree));
    tree.setObjectName(QStringLiteral("treeViewCategory"));
    EXPECT_FALSE(IsClientTree(&tree));
    EXPECT_FALSE(IsClientTree(nullptr));
}

TEST(TreeHelpers, FreeNodeObjectsDetachesOnEveryLevel) {
    QTreeWidget tree;
    QTreeWidgetItem* client = AddNode(tree, nullptr, QStringLiteral("Acme"));
    QTreeWidgetItem* project = AddNode(tree, client, QStringLiteral("Website"));
    FreeNodeObjects(&tree);
    EXPECT_FALSE(client->data(0, NodeObjectRole).isValid());
    EXPECT_FALSE(project->data(0, NodeObjectRole).isValid());
    EXPECT_EQ(project->text(0), QStringLiteral("Website"));
}

TEST(TreeHelpers, MoveNodeTakesChildrenAndDataAlong) {
    QTreeWidget tree;
    QTreeWidgetItem* a = AddNode(tree, nullptr, QStringLiteral("A"));
    QTreeWidgetItem* b = AddNode(tree, nullptr, QStringLiteral("B"));
    AddNode(tree, b, QStringLiteral("B1"));
    AddNode(tree, b, QStringLiteral("B2"));
    AddNode(tree, nullptr, QStringLiteral("C"));

    QTreeWidgetItem* moved = MoveNode(b, -1);
    ASSERT_EQ(moved, b);
    EXPECT_EQ(TopLevelTexts(tree),
              QStringList({QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("C")}));
    ASSERT_EQ(moved->childCount(), 2);
    EXPECT_EQ(moved->child(1)->text(0), QStringLiteral("B2"));
    EXPECT_EQ(moved->data(0, NodeObjectRole).toString(), QStringLiteral("B-data"));
    EXPECT_TRUE(moved->isExpanded());

    EXPECT_EQ(MoveNode(b, -1), nullptr); // already first
    EXPECT_EQ(MoveNode(a, 1), a);
    EXPECT_EQ(TopLevelTexts(tree),
              QStringList({QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("A")}));
    EXPECT_EQ(MoveNode(a, 1), nullptr); // already last
}

TEST(TreeHelpers, MoveNodeAmongChildren) {
    QTreeWidget tree;
    QTreeWidgetItem* parent = AddNode(tree, nullptr, QStringLiteral("P"));
    QTreeWidgetItem* first = AddNode(tree, parent, QStringLiteral("1"));
    AddNode(tree, parent, QStringLiteral("2"));
    EXPECT_EQ(MoveNode(first, 1), first);
    EXPECT_EQ(parent->child(0)->text(0), QStringLiteral("2"));
    EXPECT_EQ(parent->child(1), first);
}

TEST(TreeHelpers, SelectRadioChecksExactlyOne) {
    QWidget box;
    QList<QRadioButton*> buttons;
    for (int i = 0; i < 3; ++i)
        buttons.append(new QRadioButton(&box));
    SelectRadio(2, buttons);
    EXPECT_FALSE(buttons[0]->isChecked());
    EXPECT_TRUE(buttons[2]->isChecked());
    SelectRadio(0, buttons);
    EXPECT_TRUE(buttons[0]->isChecked());
    EXPECT_FALSE(buttons[2]->isChecked());
    SelectRadio(-1, buttons);
    for (QRadioButton* button : buttons)
        EXPECT_FALSE(button->isChecked());
}
