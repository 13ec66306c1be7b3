#include "localepin.h"
#include "setup/listfilling.h"
#include "setup/treehelpers.h"
#include "setup/treeviewundomanager.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"

#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {
TClients SampleClients() {
    TClients clients;
    clients.AddEntry(QStringLiteral("Acme"), QStringLiteral("Website"), true,
                     QStringLiteral("HRAUSR45.00"));
    clients.AddEntry(QStringLiteral("Acme"), QStringLiteral("Archive"), false,
                     QStringLiteral("FPRCLI1200.50"));
    clients.AddEntry(QStringLiteral("Globex"), QStringLiteral("Migration"), true, {});
    return clients;
}
} // namespace

TEST(TreeViewUndoManager, ASnapshotRoundTripKeepsTextsDataStatesAndExpansion) {
    TLocalePin pin{QStringLiteral("C")};
    QTreeWidget tree;
    tree.setObjectName(QStringLiteral("treeViewClient"));
    const TClients original = SampleClients();
    FillTree(original, &tree);
    tree.topLevelItem(0)->setExpanded(true); // Acme
    TClients before; // the tree's own (sorted) order
    LoadFromTree(before, &tree);
    TTreeViewUndoManager undo(&tree);
    QString caption = QStringLiteral("Undo");
    EXPECT_FALSE(undo.CanUndo());
    undo.UndoCaption(caption);
    EXPECT_EQ(caption, QStringLiteral("Undo"));
    undo.PushSnapshot(QStringLiteral("Undo delete client"), caption);
    EXPECT_EQ(caption, QStringLiteral("Undo delete client"));
    EXPECT_TRUE(undo.CanUndo());

    // The user deletes Acme's archive project, renames Globex and makes Website inactive.
    delete tree.topLevelItem(0)->child(0);
    tree.topLevelItem(1)->setText(0, QStringLiteral("Globex Inc"));
    SetNodeState(tree.topLevelItem(0)->child(0), false);
    tree.topLevelItem(0)->setExpanded(false);
    tree.topLevelItem(1)->setExpanded(true);

    undo.UndoLast(caption);
    EXPECT_EQ(caption, QStringLiteral("Undo delete client"));
    EXPECT_FALSE(undo.CanUndo());
    TClients restored;
    LoadFromTree(restored, &tree);
    EXPECT_EQ(restored.FileText(), before.FileText()); // billing, active flags and names
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_TRUE(tree.topLevelItem(0)->isExpanded());
    EXPECT_FALSE(tree.topLevelItem(1)->isExpanded());
    const QTreeWidgetItem* archive = tree.topLevelItem(0)->child(0);
    EXPECT_EQ(archive->text(0), QStringLiteral("Archive"));
    EXPECT_EQ(NodeStateIndex(archive), StateIndexOf(false));
    EXPECT_EQ(NodeStateIndex(tree.topLevelItem(0)->child(1)), StateIndexOf(true));
    const std::optional<TProjectInfo> info = NodeObject<TProjectInfo>(archive);
    ASSERT_TRUE(info.has_value());
    ASSERT_TRUE(info->BillingInfo.has_value());
    EXPECT_EQ(info->BillingText(), QStringLiteral("FPRCLI1200.50"));

    undo.UndoLast(caption); // nothing left: the tree stays
    EXPECT_TRUE(caption.isEmpty());
    EXPECT_EQ(tree.topLevelItemCount(), 2);
}

TEST(TreeViewUndoManager, SnapshotsStackUpForTheCategoryTree) {
    QTreeWidget tree;
    tree.setObjectName(QStringLiteral("treeViewCategory"));
    TCategories categories;
    categories.AddEntry(QStringLiteral("Development"), QStringLiteral("Coding"), true);
    FillTree(categories, &tree);
    TTreeViewUndoManager undo(&tree);
    QString caption;
    undo.PushSnapshot(QStringLiteral("Undo add activity"), caption);
    new QTreeWidgetItem(tree.topLevelItem(0), QStringList{QStringLiteral("Testing")});
    undo.PushSnapshot(QStringLiteral("Undo rename"), caption);
    tree.topLevelItem(0)->setText(0, QStringLiteral("Dev"));
    undo.UndoLast(caption);
    EXPECT_EQ(caption, QStringLiteral("Undo rename"));
    EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("Development"));
    EXPECT_EQ(tree.topLevelItem(0)->childCount(), 2);
    undo.UndoCaption(caption);
    EXPECT_EQ(caption, QStringLiteral("Undo add activity"));
    undo.UndoLast(caption);
    EXPECT_EQ(tree.topLevelItem(0)->childCount(), 1);
    TCategories restored;
    LoadFromTree(restored, &tree);
    EXPECT_EQ(restored.FileText(), categories.FileText());
}
