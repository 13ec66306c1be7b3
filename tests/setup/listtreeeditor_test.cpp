#include "base/datalocations.h"
#include "base/textutils.h"
#include "localepin.h"
#include "setup/listtreeeditor.h"
#include "setup/treehelpers.h"
#include "setup/treeviewitemform.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

#include <gtest/gtest.h>

namespace {
QStringList Names(const QTreeWidget& tree, const QTreeWidgetItem* parent = nullptr) {
    QStringList names;
    const int count = parent ? parent->childCount() : tree.topLevelItemCount();
    for (int i = 0; i < count; ++i)
        names.append(parent ? parent->child(i)->text(0) : tree.topLevelItem(i)->text(0));
    return names;
}

QTreeWidgetItem* Find(const QTreeWidget& tree, const QString& name) {
    const QList<QTreeWidgetItem*> found = tree.findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

bool Active(const QTreeWidgetItem* node) {
    return IsActiveState(NodeStateIndex(node));
}
} // namespace

// The two pages over lists of their own files, in single-user use unless a test changes it.
class ListTreeEditor : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Pin = std::make_unique<TLocalePin>(QStringLiteral("C"));
        ClientFile = Path(QStringLiteral("ClientProject.txt"));
        CategoryFile = Path(QStringLiteral("CategoryActivity.txt"));
    }
    void TearDown() override {
        Editor.reset();
        Locations() = TDataLocations{};
        Pin.reset();
        TTempFolderTest::TearDown();
    }
    void Open(const QByteArray& clients, const QByteArray& categories = "Dev\tCode\tY\r\n") {
        WriteFile(ClientFile, clients);
        WriteFile(CategoryFile, categories);
        Clients = TClients(ClientFile);
        Categories = TCategories(CategoryFile);
        Editor = std::make_unique<TListTreeEditor>(Clients, Categories);
        Editor->ListsChanged = [this] { ++ListsChangedCount; };
        Editor->BuildTrees();
    }
    QTreeWidget& Tree() const { return *Editor->treeViewClient; }
    void Select(const char* name) {
        Editor->treeViewClient->setCurrentItem(Find(Tree(), QString::fromUtf8(name)));
    }
    // Clicks button, which opens the entry window modally, and lets act work in it.
    void WithItemForm(QAbstractButton* button, const std::function<void(TTreeViewItemForm&)>& act) {
        bool reached = false;
        QTimer::singleShot(0, Editor.get(), [&] {
            reached = true;
            act(*Editor->ItemForm);
            if (Editor->ItemForm->isVisible())
                QTest::mouseClick(Editor->ItemForm->btnCancel, Qt::LeftButton);
        });
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(reached);
    }
    static void Type(TTreeViewItemForm& form, const char* name) {
        form.edtText->clear();
        QTest::keyClicks(form.edtText, QString::fromUtf8(name));
    }
    QStringList MessageTexts() const {
        QStringList texts;
        for (const TShownMessage& shown : Messages->Shown)
            texts.append(shown.Text);
        return texts;
    }

    std::unique_ptr<TLocalePin> Pin;
    QString ClientFile;
    QString CategoryFile;
    TClients Clients;
    TCategories Categories;
    std::unique_ptr<TListTreeEditor> Editor;
    int ListsChangedCount = 0;
};

TEST_F(ListTreeEditor, AnActiveProjectMakesAClientWithOnlyAnInactiveOneActive) {
    Open("Acme\tOld\tN\r\n");
    ASSERT_FALSE(Active(Find(Tree(), QStringLiteral("Acme"))));
    Select("Acme");
    WithItemForm(Editor->btnAddProject, [](TTreeViewItemForm& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("New Project"));
        EXPECT_EQ(form.lblInfo->text(), QStringLiteral("Adding a Project under \"Acme\""));
        EXPECT_TRUE(form.chkActive->isChecked());
        EXPECT_FALSE(form.btnOK->isEnabled()); // nothing typed yet
        Type(form, "  New  ");
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    });
    QTreeWidgetItem* acme = Find(Tree(), QStringLiteral("Acme"));
    EXPECT_TRUE(Active(acme));
    EXPECT_TRUE(acme->isExpanded());
    EXPECT_EQ(Names(Tree(), acme), QStringList({"New", "Old"})); // trimmed and sorted
    EXPECT_EQ(Tree().currentItem(), Find(Tree(), QStringLiteral("New")));
    EXPECT_TRUE(Editor->btnClientProjectUndo->isEnabled());
    EXPECT_EQ(Editor->btnClientProjectUndo->toolTip(), QStringLiteral("Undo add Project \"New\""));
}

TEST_F(ListTreeEditor, AClientWithoutProjectsIsInactiveAndLeftOutOnlyAfterYes) {
    Open("Acme\tWeb\tY\r\n");
    WithItemForm(Editor->btnAddClient, [](TTreeViewItemForm& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("New Client"));
        EXPECT_EQ(form.lblInfo->text(), QStringLiteral("Adding a Client"));
        EXPECT_FALSE(form.chkActive->isChecked());
        Type(form, "Globex");
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
    });
    QTreeWidgetItem* globex = Find(Tree(), QStringLiteral("Globex"));
    ASSERT_TRUE(globex);
    EXPECT_FALSE(Active(globex));
    EXPECT_FALSE(Editor->menuActive->isEnabled()); // no projects: nothing to switch

    Messages->Answer = mrNo;
    EXPECT_FALSE(Editor->SaveTrees());
    EXPECT_EQ(MessageTexts(), QStringList({"One or more clients do not have projects and will "
                                           "not be saved - proceed?"}));
    EXPECT_EQ(ListsChangedCount, 0);
    Messages->Answer = mrYes;
    EXPECT_TRUE(Editor->SaveTrees());
    EXPECT_EQ(ReadFile(ClientFile), QByteArray("Acme\tWeb\tY\r\n"));
    EXPECT_EQ(ListsChangedCount, 1);
    EXPECT_FALSE(Clients.FindClient(QStringLiteral("Globex"), false));
}

TEST_F(ListTreeEditor, UncheckingActiveOnAClientSwitchesItsProjectsAndUndoBringsThemBack) {
    Open("Acme\tWeb\tY\r\nAcme\tShop\tY\r\nGlobex\tRun\tY\r\n");
    Select("Acme");
    WithItemForm(Editor->btnEditClientProject, [](TTreeViewItemForm& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Edit Client"));
        EXPECT_EQ(form.lblInfo->text(), QStringLiteral("Editing \"Acme\""));
        EXPECT_FALSE(form.btnNext->isVisible());
        EXPECT_FALSE(form.btnLevel->isVisible());
        ASSERT_TRUE(form.chkActive->isChecked());
        QTest::mouseClick(form.chkActive, Qt::LeftButton, {}, QPoint(8, form.chkActive->height() / 2));
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
    });
    QTreeWidgetItem* acme = Find(Tree(), QStringLiteral("Acme"));
    EXPECT_FALSE(Active(acme));
    EXPECT_FALSE(Active(Find(Tree(), QStringLiteral("Web"))));
    EXPECT_FALSE(Active(Find(Tree(), QStringLiteral("Shop"))));
    EXPECT_EQ(Editor->btnClientProjectUndo->toolTip(), QStringLiteral("Undo edit Client \"Acme\""));

    QTest::mouseClick(Editor->btnClientProjectUndo, Qt::LeftButton);
    EXPECT_TRUE(Active(Find(Tree(), QStringLiteral("Acme"))));
    EXPECT_TRUE(Active(Find(Tree(), QStringLiteral("Web"))));
    EXPECT_FALSE(Editor->btnClientProjectUndo->isEnabled());
    EXPECT_TRUE(Editor->SaveTrees()); // the projects' own flags came back too
    EXPECT_EQ(ReadFile(ClientFile), QByteArray("Acme\tShop\tY\r\nAcme\tWeb\tY\r\nGlobex\tRun\tY\r\n"));
}

TEST_F(ListTreeEditor, ThePopupsActiveItemSwitchesOneProjectAndItsClientFollows) {
    Open("Acme\tWeb\tY\r\nAcme\tShop\tN\r\n");
    Select("Web");
    EXPECT_TRUE(Editor->menuActive->isChecked());
    Editor->menuActive->trigger(); // unchecks: the project becomes inactive
    EXPECT_FALSE(Active(Find(Tree(), QStringLiteral("Web"))));
    EXPECT_FALSE(Active(Find(Tree(), QStringLiteral("Acme"))));
    EXPECT_EQ(Editor->btnClientProjectUndo->toolTip(),
              QStringLiteral("Undo active status change for Project Web"));
    Select("Acme");
    Editor->menuActive->trigger(); // the client gives the state to all its projects
    EXPECT_TRUE(Active(Find(Tree(), QStringLiteral("Shop"))));
    EXPECT_TRUE(Active(Find(Tree(), QStringLiteral("Web"))));
}

TEST_F(ListTreeEditor, NamesAreUniquePerLevelWithOnlyTheLettersAToZFoldedInCase) {
    Open("Acme\tWeb\tY\r\nCafé\tBar\tY\r\nGlobex\tRun\tY\r\n");
    Select("Run");
    WithItemForm(Editor->btnAddProject, [](TTreeViewItemForm& form) {
        Type(form, "web"); // another client's project name is free here
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
    });
    EXPECT_EQ(Names(Tree(), Find(Tree(), QStringLiteral("Globex"))), QStringList({"Run", "web"}));

    Messages->Shown.clear();
    WithItemForm(Editor->btnAddClient, [](TTreeViewItemForm& form) {
        Type(form, "ACME");
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        EXPECT_TRUE(form.isVisible()); // refused: the window stays open
        Type(form, "   ");
        EXPECT_FALSE(form.btnOK->isEnabled());
        Type(form, "CAFÉ"); // É is not folded: a different name
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_EQ(MessageTexts(), QStringList({"This entry already exists"}));
    EXPECT_TRUE(Find(Tree(), QStringLiteral("CAFÉ")));

    Select("Acme");
    WithItemForm(Editor->btnEditClientProject, [](TTreeViewItemForm& form) {
        Type(form, "ACME"); // its own name in other letter case
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_TRUE(Find(Tree(), QStringLiteral("ACME")));
    EXPECT_EQ(MessageTexts().size(), 1);
}

TEST_F(ListTreeEditor, ABlankNameIsRefusedWhenTheKeyboardGetsPastTheButtons) {
    Open("Acme\tWeb\tY\r\n");
    TTreeViewItemForm& form = *Editor->ItemForm;
    form.Configure(Editor->treeViewClient, 0, TTreeViewItemForm::imAdd);
    form.show();
    Type(form, " ");
    form.btnOK->setEnabled(true); // as if it had been left on
    QTest::mouseClick(form.btnOK, Qt::LeftButton);
    EXPECT_EQ(MessageTexts(), QStringList({"The entry cannot be blank"}));
    EXPECT_TRUE(form.isVisible());
    form.reject();
}

TEST_F(ListTreeEditor, NextAddsSeveralProjectsUnderOneClientAndCancelKeepsThemSorted) {
    Open("Acme\tWeb\tY\r\nGlobex\tRun\tY\r\n");
    Select("Acme");
    WithItemForm(Editor->btnAddProject, [](TTreeViewItemForm& form) {
        for (const char* name : {"Zed", "Alpha", "Mid"}) {
            Type(form, name);
            QTest::mouseClick(form.btnNext, Qt::LeftButton);
            EXPECT_TRUE(form.edtText->text().isEmpty());
            EXPECT_EQ(form.lblInfo->text(), QStringLiteral("Adding a Project under \"Acme\""));
        }
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    });
    EXPECT_EQ(Names(Tree(), Find(Tree(), QStringLiteral("Acme"))),
              QStringList({"Alpha", "Mid", "Web", "Zed"}));
    EXPECT_EQ(Names(Tree(), Find(Tree(), QStringLiteral("Globex"))), QStringList({"Run"}));
}

TEST_F(ListTreeEditor, TheLevelButtonMovesBetweenMainAndSubEntries) {
    Open("Acme\tWeb\tY\r\n", "Dev\tCode\tY\r\n");
    Select("Web");
    WithItemForm(Editor->btnAddProject, [this](TTreeViewItemForm& form) {
        EXPECT_EQ(form.btnLevel->toolTip(), QStringLiteral("Move up to Client level"));
        Type(form, "draft");
        QTest::mouseClick(form.btnLevel, Qt::LeftButton);
        EXPECT_EQ(Tree().currentItem(), Find(Tree(), QStringLiteral("Acme")));
        EXPECT_EQ(form.windowTitle(), QStringLiteral("New Client"));
        EXPECT_TRUE(form.edtText->text().isEmpty());
        EXPECT_EQ(form.btnLevel->toolTip(), QStringLiteral("Move down to Project level"));
        QTest::mouseClick(form.btnLevel, Qt::LeftButton);
        EXPECT_EQ(form.lblInfo->text(), QStringLiteral("Adding a Project under \"Acme\""));
    });
    Editor->SetClientPageActive(false);
    Editor->treeViewCategory->setCurrentItem(Editor->treeViewCategory->topLevelItem(0));
    WithItemForm(Editor->btnAddActivity, [](TTreeViewItemForm& form) {
        EXPECT_EQ(form.lblInfo->text(), QStringLiteral("Adding an Activity under \"Dev\""));
    });
}

TEST_F(ListTreeEditor, DeletingAsksTheQuestionOfItsLevel) {
    Open("Acme\tWeb\tY\r\nAcme\tShop\tN\r\nGlobex\tRun\tY\r\n");
    Select("Acme");
    Messages->Answer = mrNo;
    QTest::mouseClick(Editor->btnDeleteClientProject, Qt::LeftButton);
    EXPECT_EQ(MessageTexts(), QStringList({"Delete the 'Acme' Client and it's Projects?"}));
    EXPECT_TRUE(Find(Tree(), QStringLiteral("Acme")));
    EXPECT_FALSE(Editor->btnClientProjectUndo->isEnabled());

    Messages->Shown.clear();
    Messages->Answer = mrYes;
    Select("Web");
    QTest::keyClick(Editor->treeViewClient, Qt::Key_Delete); // on release of the key
    EXPECT_EQ(MessageTexts(), QStringList({"Delete the 'Web' Project?"}));
    EXPECT_FALSE(Find(Tree(), QStringLiteral("Web")));
    EXPECT_FALSE(Active(Find(Tree(), QStringLiteral("Acme")))); // only Shop, inactive, is left
    EXPECT_EQ(Editor->btnClientProjectUndo->toolTip(), QStringLiteral("Undo delete Project \"Web\""));

    Select("Acme");
    QTest::mouseClick(Editor->btnDeleteClientProject, Qt::LeftButton);
    EXPECT_EQ(Names(Tree()), QStringList({"Globex"}));
    QTest::mouseClick(Editor->btnClientProjectUndo, Qt::LeftButton);
    EXPECT_EQ(Names(Tree()), QStringList({"Acme", "Globex"}));
    EXPECT_EQ(Names(Tree(), Find(Tree(), QStringLiteral("Acme"))), QStringList({"Shop"}));
}

TEST_F(ListTreeEditor, BillingReadFromTheListIsWrittenBackUnchanged) {
    const QByteArray clients = "Acme\tWeb\tY\tHRAPRO60.00\r\nAcme\tShop\tN\tFPRCLI1200.50\r\n";
    Open(clients);
    Editor->SetClientPageActive(false);
    Editor->treeViewCategory->setCurrentItem(Editor->treeViewCategory->topLevelItem(0));
    WithItemForm(Editor->btnAddActivity, [](TTreeViewItemForm& form) {
        Type(form, "Test");
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
    });
    EXPECT_TRUE(Editor->SaveTrees());
    EXPECT_EQ(ReadFile(ClientFile), QByteArray("Acme\tShop\tN\tFPRCLI1200.50\r\n"
                                               "Acme\tWeb\tY\tHRAPRO60.00\r\n"));
    EXPECT_EQ(ReadFile(CategoryFile), QByteArray("Dev\tCode\tY\r\nDev\tTest\tY\r\n"));
}

TEST_F(ListTreeEditor, ARightClickSelectsTheEntryAndOpensTheMenuWithThePagesWords) {
    Open("Acme\tWeb\tY\r\nGlobex\tRun\tY\r\n");
    QTreeWidget& tree = *Editor->treeViewClient;
    Editor->ClientPage()->resize(400, 300);
    Editor->ClientPage()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Editor->ClientPage()));
    const QRect globex = tree.visualItemRect(Find(tree, QStringLiteral("Globex")));
    QTest::mouseClick(tree.viewport(), Qt::RightButton, {}, globex.center());
    // The platform follows a right click with a context menu request.
    QContextMenuEvent request(QContextMenuEvent::Mouse, globex.center(),
                              tree.viewport()->mapToGlobal(globex.center()));
    QApplication::sendEvent(tree.viewport(), &request);
    EXPECT_EQ(tree.currentItem(), Find(tree, QStringLiteral("Globex")));
    EXPECT_EQ(Editor->menuAddMain->text(), QStringLiteral("Add Client..."));
    EXPECT_TRUE(Editor->PopupMenu->isVisible());
    EXPECT_TRUE(Editor->menuEdit->isEnabled());
    Editor->PopupMenu->hide();
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(5, tree.viewport()->height() - 5)); // below the entries
    EXPECT_EQ(tree.currentItem(), nullptr);
    EXPECT_FALSE(Editor->btnEditClientProject->isEnabled());
    EXPECT_FALSE(Editor->menuAddSub->isEnabled());
    Editor->SetClientPageActive(false);
    EXPECT_EQ(Editor->menuAddMain->text(), QStringLiteral("Add Category..."));
    EXPECT_EQ(Editor->menuAddSub->text(), QStringLiteral("Add Activity..."));
    Editor->PopupMenu->hide();
}

TEST_F(ListTreeEditor, AUserWithoutAdministrationRightsCanOnlyLook) {
    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    Locations().AdminMode = 0;
    ASSERT_FALSE(MayEditAdminData());
    Open("Acme\tWeb\tY\r\n");
    // The shared lists are read again when the window is shown.
    WriteFile(ClientFile, "Acme\tWeb\tY\r\nInitech\tPrinters\tY\r\n");
    Editor->BuildTrees();
    EXPECT_EQ(Names(Tree()), QStringList({"Acme", "Initech"}));
    Select("Acme");
    for (QWidget* control : {static_cast<QWidget*>(Editor->btnAddClient), static_cast<QWidget*>(Editor->btnAddProject),
                             static_cast<QWidget*>(Editor->btnEditClientProject),
                             static_cast<QWidget*>(Editor->btnDeleteClientProject),
                             static_cast<QWidget*>(Editor->btnAddCategory)})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(Tree().toolTip(), QStringLiteral("Clients and projects can only be modified by administrators"));
    EXPECT_EQ(Editor->treeViewCategory->toolTip(),
              QStringLiteral("Categories and activities can only be modified by administrators"));
    QTest::keyClick(Editor->treeViewClient, Qt::Key_Delete);
    Q_EMIT Editor->treeViewClient->customContextMenuRequested(QPoint(2, 2));
    EXPECT_FALSE(Editor->PopupMenu->isVisible());
    EXPECT_TRUE(Messages->Shown.empty());
    Find(Tree(), QStringLiteral("Acme"))->setExpanded(true); // looking is allowed
    TTreeViewItemForm& form = *Editor->ItemForm;
    form.Configure(Editor->treeViewClient, 0, TTreeViewItemForm::imEdit);
    for (QWidget* control : {static_cast<QWidget*>(form.btnOK), static_cast<QWidget*>(form.edtText),
                             static_cast<QWidget*>(form.chkActive)})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(Editor->SaveTrees()); // writes nothing
    EXPECT_EQ(ReadFile(ClientFile), QByteArray("Acme\tWeb\tY\r\nInitech\tPrinters\tY\r\n"));
    EXPECT_EQ(ListsChangedCount, 0);
}

TEST_F(ListTreeEditor, TheStateMarksAreSharpOnDenseScreens) {
    for (const int state : {1, 2}) {
        const QPixmap mark = StatePicture(state).pixmap(QSize(11, 12), 2.0);
        EXPECT_EQ(mark.size(), QSize(22, 24));
    }
    EXPECT_NE(StatePicture(1).pixmap(11, 12).toImage(), StatePicture(2).pixmap(11, 12).toImage());
}

// A pasted tab or line break would split the entry into two lines of the list file.
TEST_F(ListTreeEditor, NamesWithControlCharactersAreRefusedAndANewEntryStartsEmpty) {
    Open("Acme\tWeb\tY\r\n");
    Select("Acme");
    WithItemForm(Editor->btnAddProject, [](TTreeViewItemForm& form) {
        EXPECT_TRUE(form.edtText->text().isEmpty());
        for (const QString& name : {QStringLiteral("Two\nlines"), QStringLiteral("Tab\there"),
                                    QStringLiteral("Bell\x07")}) {
            form.edtText->setText(name); // as pasted
            QTest::mouseClick(form.btnOK, Qt::LeftButton);
            EXPECT_TRUE(form.isVisible());
            EXPECT_EQ(form.focusWidget(), form.edtText);
        }
        Type(form, "Shop");
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    });
    EXPECT_EQ(MessageTexts(), QStringList(3, ControlCharacterInNameText));
    EXPECT_EQ(Names(Tree(), Find(Tree(), QStringLiteral("Acme"))), QStringList({"Shop", "Web"}));
    // The window comes back empty for the next new entry, not with the last name in it.
    Select("Acme");
    WithItemForm(Editor->btnAddClient, [](TTreeViewItemForm& form) {
        EXPECT_TRUE(form.edtText->text().isEmpty());
    });
}
