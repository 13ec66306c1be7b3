#include "localepin.h"
#include "setup/listfilling.h"
#include "setup/listtreeitem.h"
#include "setup/treehelpers.h"
#include "testsupport.h"

#include <QComboBox>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {
QStringList BoxItems(const QComboBox& box) {
    QStringList items;
    for (int i = 0; i < box.count(); ++i)
        items.append(box.itemText(i));
    return items;
}

QStringList NodeTexts(const QTreeWidget& tree, const QTreeWidgetItem* parent = nullptr) {
    QStringList texts;
    const int count = parent ? parent->childCount() : tree.topLevelItemCount();
    for (int i = 0; i < count; ++i)
        texts.append(parent ? parent->child(i)->text(0) : tree.topLevelItem(i)->text(0));
    return texts;
}

QStringList Texts(std::initializer_list<const char*> texts) {
    QStringList list;
    for (const char* text : texts)
        list.append(QString::fromUtf8(text));
    return list;
}
} // namespace

class ListFilling : public TTempFolderTest {
protected:
    TClients ReadClients(const QByteArray& bytes) {
        const QString file = Path(QStringLiteral("ClientProject.txt"));
        WriteFile(file, bytes);
        return TClients(file);
    }
    TCategories ReadCategories(const QByteArray& bytes) {
        const QString file = Path(QStringLiteral("CategoryActivity.txt"));
        WriteFile(file, bytes);
        return TCategories(file);
    }
};

TEST_F(ListFilling, ClientBoxOffersActiveClientsInListOrder) {
    const TClients clients = ReadClients("Zeta\tA\tY\nAcme\tWeb\tN\nbeta\tB\tY\n");
    QComboBox box;
    box.addItem(QStringLiteral("stale"));
    FillClientBox(clients, &box, true);
    EXPECT_EQ(BoxItems(box), Texts({"Zeta", "beta"}));
    EXPECT_TRUE(box.isEnabled());
    FillClientBox(clients, &box, false);
    EXPECT_EQ(BoxItems(box), Texts({"Zeta", "Acme", "beta"}));
}

TEST_F(ListFilling, EmptyListDisablesTheBox) {
    QComboBox box;
    box.addItem(QStringLiteral("stale"));
    FillClientBox(TClients(), &box, true);
    EXPECT_EQ(box.count(), 0);
    EXPECT_FALSE(box.isEnabled());
    QComboBox categoryBox;
    FillCategoryBox(TCategories(), &categoryBox, false);
    EXPECT_FALSE(categoryBox.isEnabled());
}

TEST_F(ListFilling, ProjectBoxFollowsTheClientAndItsFlags) {
    const TClients clients = ReadClients("Acme\tWeb\tY\nAcme\tOld\tN\nDormant\tX\tN\n");
    QComboBox box;
    FillProjectBox(clients, QStringLiteral("ACME"), &box, true);
    EXPECT_EQ(BoxItems(box), Texts({"Web"}));
    FillProjectBox(clients, QStringLiteral("acme"), &box, false);
    EXPECT_EQ(BoxItems(box), Texts({"Web", "Old"}));
    FillProjectBox(clients, QStringLiteral("Dormant"), &box, true);
    EXPECT_EQ(box.count(), 0);
    FillProjectBox(clients, QStringLiteral("Dormant"), &box, false);
    EXPECT_EQ(BoxItems(box), Texts({"X"}));
    FillProjectBox(clients, QStringLiteral("Unknown"), &box, false);
    EXPECT_EQ(box.count(), 0);
}

TEST_F(ListFilling, CategoryAndActivityBoxes) {
    const TCategories categories = ReadCategories("Design\tSketch\tY\nDesign\tReview\tN\n"
                                                  "Admin\tMail\tN\n");
    QComboBox box;
    FillCategoryBox(categories, &box, true);
    EXPECT_EQ(BoxItems(box), Texts({"Design"}));
    FillActivityBox(categories, QStringLiteral("design"), &box, true);
    EXPECT_EQ(BoxItems(box), Texts({"Sketch"}));
    FillActivityBox(categories, QStringLiteral("Admin"), &box, false);
    EXPECT_EQ(BoxItems(box), Texts({"Mail"}));
}

TEST_F(ListFilling, TreeIsSortedWithStatesAndDataOnBothLevels) {
    const TClients clients = ReadClients("zeta\tb\tY\nAcme\tWeb\tN\tHRAPRO60.00\n"
                                         "Beta\tz\tY\nBeta\tA\tN\nzeta\tA\tN\n");
    QTreeWidget tree;
    FillTree(clients, &tree);
    EXPECT_EQ(NodeTexts(tree), Texts({"Acme", "Beta", "zeta"}));
    QTreeWidgetItem* acme = tree.topLevelItem(0);
    QTreeWidgetItem* beta = tree.topLevelItem(1);
    EXPECT_EQ(NodeTexts(tree, beta), Texts({"A", "z"}));
    EXPECT_EQ(NodeTexts(tree, tree.topLevelItem(2)), Texts({"A", "b"}));

    EXPECT_EQ(NodeStateIndex(acme), 2);
    EXPECT_EQ(NodeStateIndex(beta), 1);
    EXPECT_EQ(NodeStateIndex(beta->child(0)), 2);
    EXPECT_EQ(NodeStateIndex(beta->child(1)), 1);
    EXPECT_FALSE(acme->icon(0).isNull());

    const std::optional<TClient> client = NodeObject<TClient>(acme);
    ASSERT_TRUE(client.has_value());
    EXPECT_EQ(client->Name, QStringLiteral("Acme"));
    EXPECT_FALSE(client->Active);
    EXPECT_TRUE(client->Projects().empty());
    const std::optional<TProjectInfo> web = NodeObject<TProjectInfo>(acme->child(0));
    ASSERT_TRUE(web.has_value());
    EXPECT_FALSE(web->Active);
    EXPECT_EQ(web->BillingText(), QStringLiteral("HRAPRO60.00"));
    EXPECT_FALSE(NodeObject<TActivityInfo>(acme->child(0)).has_value());
}

TEST_F(ListFilling, RoundTripThroughTheTreeKeepsFlagsAndBilling) {
    TClients clients = ReadClients("Zeta\tRun\tN\r\nAcme\tWeb\tY\tHRAPRO60.00\r\n"
                                   "Acme\tDesign\tN\tFPRCLI250.00\r\n");
    QTreeWidget tree;
    FillTree(clients, &tree);
    LoadFromTree(clients, &tree);
    clients.Save();
    // The list now has the tree's order.
    EXPECT_EQ(ReadFile(clients.FileName), QByteArray("Acme\tDesign\tN\tFPRCLI250.00\r\n"
                                                     "Acme\tWeb\tY\tHRAPRO60.00\r\n"
                                                     "Zeta\tRun\tN\r\n"));
}

TEST_F(ListFilling, LoadFromTreeDropsEmptyClientsAndTrimsNames) {
    QTreeWidget tree;
    TClients clients = ReadClients("Acme\tWeb\tY\tHRAUSR45.00\n");
    FillTree(clients, &tree);
    // Edits as the set-up window makes them: a new client without projects, a renamed one,
    // and a new project without data whose state says inactive.
    new TListTreeItem(&tree, QStringLiteral("Empty"));
    tree.topLevelItem(0)->setText(0, QStringLiteral("  Acme Ltd "));
    auto* added = new TListTreeItem(tree.topLevelItem(0), QStringLiteral(" New "));
    SetNodeState(added, false);
    LoadFromTree(clients, &tree);
    EXPECT_EQ(clients.FileText(), QStringLiteral("Acme Ltd\tWeb\tY\tHRAUSR45.00\r\n"
                                                 "Acme Ltd\tNew\tN\r\n"));
}

TEST_F(ListFilling, CategoryTreeRoundTrip) {
    TCategories categories = ReadCategories("Design\tSketch\tY\r\nAdmin\tMail\tN\r\n"
                                            "Design\tReview\tN\r\n");
    QTreeWidget tree;
    FillTree(categories, &tree);
    EXPECT_EQ(NodeTexts(tree), Texts({"Admin", "Design"}));
    ASSERT_TRUE(NodeObject<TCategory>(tree.topLevelItem(1)).has_value());
    EXPECT_TRUE(NodeObject<TCategory>(tree.topLevelItem(1))->Active);
    EXPECT_FALSE(NodeObject<TActivityInfo>(tree.topLevelItem(1)->child(0))->Active);
    LoadFromTree(categories, &tree);
    EXPECT_EQ(categories.FileText(), QStringLiteral("Admin\tMail\tN\r\nDesign\tReview\tN\r\n"
                                                    "Design\tSketch\tY\r\n"));
}

TEST_F(ListFilling, FillingAgainReplacesTheNodes) {
    QTreeWidget tree;
    FillTree(ReadClients("Acme\tWeb\tY\n"), &tree);
    FillTree(ReadClients("Beta\tRun\tY\n"), &tree);
    EXPECT_EQ(NodeTexts(tree), Texts({"Beta"}));
    FillTree(TClients(), &tree);
    EXPECT_EQ(tree.topLevelItemCount(), 0);
    EXPECT_TRUE(tree.updatesEnabled());
}

TEST_F(ListFilling, SortingUsesTheLocaleCollationIgnoringCase) {
    QTreeWidget tree;
    for (const char* name : {"zebra", "Äpfel", "apple", "Banana"})
        new TListTreeItem(&tree, QString::fromUtf8(name));
    SortListTree(&tree);
    // Letter case is ignored; the C locale knows nothing of umlauts and compares code points.
    EXPECT_EQ(NodeTexts(tree), Texts({"apple", "Banana", "zebra", "Äpfel"}));
    TLocalePin german(QStringLiteral("de_DE"));
    SortListTree(&tree);
    EXPECT_EQ(NodeTexts(tree), Texts({"Äpfel", "apple", "Banana", "zebra"}));
}

TEST_F(ListFilling, ClonedNodesKeepTypeChildrenAndTheirOwnData) {
    QTreeWidget tree;
    FillTree(ReadClients("Acme\tWeb\tY\tHRAUSR45.00\n"), &tree);
    std::unique_ptr<QTreeWidgetItem> copy(tree.topLevelItem(0)->clone());
    EXPECT_EQ(copy->type(), TListTreeItem::ItemType);
    ASSERT_EQ(copy->childCount(), 1);
    EXPECT_EQ(copy->child(0)->type(), TListTreeItem::ItemType);
    FreeNodeObjects(&tree);
    const std::optional<TProjectInfo> kept = NodeObject<TProjectInfo>(copy->child(0));
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->BillingText(), QStringLiteral("HRAUSR45.00"));
    EXPECT_EQ(NodeStateIndex(copy->child(0)), 1);
}
