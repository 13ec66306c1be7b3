#include "base/datalocations.h"
#include "export/exportformat.h"
#include "export/exportformatfiles.h"
#include "export/exportitem.h"
#include "reportwindows/selectedusersform.h"
#include "setup/exportcolumnform.h"
#include "setup/exportformatform.h"
#include "storage/lists/clients.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>

#include <gtest/gtest.h>

namespace {
QStringList TopNames(const QTreeWidget& tree) {
    QStringList names;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        names.append(tree.topLevelItem(i)->text(0));
    return names;
}

QStringList ChildNames(const QTreeWidgetItem* group) {
    QStringList names;
    for (int i = 0; group && i < group->childCount(); ++i)
        names.append(group->child(i)->text(0));
    return names;
}

QTreeWidgetItem* Group(const QTreeWidget& tree, const QString& name) {
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
        if (tree.topLevelItem(i)->text(0) == name)
            return tree.topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem* Node(const QTreeWidget& tree, const QString& name) {
    const QList<QTreeWidgetItem*> found = tree.findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.front();
}

const QString TimeGroup = QStringLiteral("Time Data Group");
const QString ClientGroup = QStringLiteral("Client Data Group");
} // namespace

class ExportFormatForm : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        QDir().mkpath(QFileInfo(ExportFormatFileName(QStringLiteral("x"))).absolutePath());
        Form = std::make_unique<TExportFormatForm>();
        Form->show();
    }
    void TearDown() override {
        Form.reset();
        Locations() = TDataLocations{};
        TTempFolderTest::TearDown();
    }
    void Open(const TExportFormat* format, const QStringList& names = {}) {
        TExportFormatSources sources;
        sources.Users = &Users;
        sources.ScanClients = &ScanClients;
        sources.AdminClients = &AdminClients;
        sources.InUseClients = &InUseClients;
        Form->Configure(format, names, sources);
    }
    void SelectAvailable(const QString& name) {
        QTreeWidgetItem* node = Node(*Form->treeAvailable, name);
        ASSERT_TRUE(node) << name.toStdString();
        Form->treeAvailable->setCurrentItem(node);
    }
    void SelectSelected(const QString& name) {
        QTreeWidgetItem* node = Node(*Form->treeSelected, name);
        ASSERT_TRUE(node) << name.toStdString();
        Form->treeSelected->setCurrentItem(node);
    }
    void Include(const QString& name) {
        SelectAvailable(name);
        QTest::mouseClick(Form->btnInclude, Qt::LeftButton);
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // A check box reacts to clicks on its mark and caption only.
    void Tick(QCheckBox* box) { QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2)); }
    // Clicks button, which opens the column editor modally, and lets act work in it.
    void WithColumnForm(QAbstractButton* button, const std::function<void(TExportColumnForm&)>& act) {
        bool reached = false;
        QTimer::singleShot(0, Form.get(), [&] {
            reached = true;
            act(*Form->ColumnForm);
            if (Form->ColumnForm->isVisible())
                Click(Form->ColumnForm->btnCancel);
        });
        Click(button);
        ASSERT_TRUE(reached);
    }
    void SetUsers(int count) {
        Users.clear();
        for (int i = 0; i < count; ++i)
            Users.push_back({Locations().LocalFolder + QStringLiteral("user%1/").arg(i + 1), 0});
    }
    QStringList ColumnNames(TExportArea area) const {
        QStringList names;
        for (const auto& item : Form->WorkingFormat()->Items(area))
            names.append(item->DisplayName());
        return names;
    }

    TServerUsers Users;
    TClients ScanClients, AdminClients, InUseClients;
    std::unique_ptr<TExportFormatForm> Form;
};

TEST_F(ExportFormatForm, ANewFormatOffersEveryFieldAndNeedsAColumnForOK) {
    Open(nullptr);
    EXPECT_EQ(TopNames(*Form->treeAvailable),
              QStringList({ClientGroup, "Category Data Group", TimeGroup}));
    int fields = 0;
    for (int i = 0; i < Form->treeAvailable->topLevelItemCount(); ++i)
        fields += Form->treeAvailable->topLevelItem(i)->childCount();
    EXPECT_EQ(fields, 20);
    EXPECT_EQ(Form->treeSelected->topLevelItemCount(), 0);
    EXPECT_EQ(Form->treeAvailable->currentItem(), Form->treeAvailable->topLevelItem(0));
    EXPECT_FALSE(Form->btnOK->isEnabled());
    EXPECT_FALSE(Form->btnAdd->isEnabled());
    EXPECT_TRUE(Form->windowTitle().startsWith(QStringLiteral("Export Format - ")));
    Form->edtName->setText(QStringLiteral("Payroll"));
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Export Format - Payroll"));

    Include(QStringLiteral("Date"));
    EXPECT_TRUE(Form->btnOK->isEnabled());
    EXPECT_EQ(Form->treeSelected->currentItem()->text(0), QStringLiteral("Date"));
    EXPECT_FALSE(Node(*Form->treeAvailable, QStringLiteral("Date")));
}

TEST_F(ExportFormatForm, ClientListMakesAGroupAtTheEndThatMovesFirst) {
    Open(nullptr);
    Include(QStringLiteral("Date"));
    Include(QStringLiteral("Client List"));
    EXPECT_EQ(TopNames(*Form->treeSelected), QStringList({TimeGroup, ClientGroup}));
    EXPECT_EQ(Form->WorkingFormat()->GroupOrder()[0], TExportArea::Data);
    SelectSelected(ClientGroup);
    EXPECT_FALSE(Form->btnDown->isEnabled());
    EXPECT_EQ(Form->btnUp->toolTip(),
              QStringLiteral("Move the selected group to an earlier position in the export file"));
    Click(Form->btnUp);
    EXPECT_EQ(TopNames(*Form->treeSelected), QStringList({ClientGroup, TimeGroup}));
    EXPECT_EQ(Form->treeSelected->currentItem()->text(0), ClientGroup);
    EXPECT_EQ(Form->WorkingFormat()->GroupOrder()[0], TExportArea::Client);
    EXPECT_EQ(Form->WorkingFormat()->GroupOrder()[1], TExportArea::Data);
}

TEST_F(ExportFormatForm, IncludingAGroupMovesAllItsFieldsAndColumnsMoveWithinTheirGroup) {
    Open(nullptr);
    SelectAvailable(TimeGroup);
    const int timeFields = Node(*Form->treeAvailable, TimeGroup)->childCount();
    Click(Form->btnInclude);
    EXPECT_FALSE(Group(*Form->treeAvailable, TimeGroup));
    EXPECT_EQ(Group(*Form->treeSelected, TimeGroup)->childCount(), timeFields);
    EXPECT_EQ(ColumnNames(TExportArea::Data).size(), timeFields);
    EXPECT_EQ(Form->treeSelected->currentItem()->text(0), TimeGroup);

    SelectSelected(QStringLiteral("Date"));
    const int dateAt = static_cast<int>(ColumnNames(TExportArea::Data).indexOf(QStringLiteral("Date")));
    Click(Form->btnDown);
    EXPECT_EQ(ColumnNames(TExportArea::Data).indexOf(QStringLiteral("Date")), dateAt + 1);
    EXPECT_EQ(ChildNames(Group(*Form->treeSelected, TimeGroup)).indexOf(QStringLiteral("Date")), dateAt + 1);
    EXPECT_EQ(Form->treeSelected->currentItem()->text(0), QStringLiteral("Date"));

    Click(Form->btnIncludeAll);
    EXPECT_EQ(Form->treeAvailable->topLevelItemCount(), 0);
    EXPECT_EQ(Form->WorkingFormat()->ItemCount(), 20);
    EXPECT_FALSE(Form->btnIncludeAll->isEnabled());
    Click(Form->btnExcludeAll);
    EXPECT_EQ(Form->WorkingFormat()->ItemCount(), 0);
    EXPECT_EQ(Form->treeSelected->topLevelItemCount(), 0);
    EXPECT_EQ(Form->treeAvailable->topLevelItemCount(), 3);
}

TEST_F(ExportFormatForm, ExcludingDestroysAUserDefinedColumnAndReturnsAStandardField) {
    Open(nullptr);
    Include(QStringLiteral("User"));
    Include(QStringLiteral("Date"));
    WithColumnForm(Form->btnAdd, [](TExportColumnForm& column) {
        EXPECT_EQ(column.edtName->text(), QStringLiteral("Untitled"));
        column.edtName->setText(QStringLiteral("Batch"));
        QTest::mouseClick(column.btnOK, Qt::LeftButton);
    });
    EXPECT_EQ(ColumnNames(TExportArea::Data), QStringList({"User", "Date", "Batch"}));
    EXPECT_EQ(Form->treeSelected->currentItem()->text(0), QStringLiteral("Batch"));
    EXPECT_TRUE(Form->btnDelete->isEnabled());

    Messages->Answer = mrNo;
    Click(Form->btnDelete);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text, QStringLiteral("Delete the \"Batch\" user-defined column?"));
    EXPECT_EQ(ColumnNames(TExportArea::Data).size(), 3);
    Click(Form->btnExclude);
    EXPECT_EQ(ColumnNames(TExportArea::Data), QStringList({"User", "Date"}));
    EXPECT_FALSE(Node(*Form->treeAvailable, QStringLiteral("Batch"))); // destroyed, not offered

    SelectSelected(QStringLiteral("Date"));
    EXPECT_FALSE(Form->btnDelete->isEnabled()); // a standard field is excluded, not deleted
    Click(Form->btnExclude);
    EXPECT_EQ(ColumnNames(TExportArea::Data), QStringList({"User"}));
    QTreeWidgetItem* date = Node(*Form->treeAvailable, QStringLiteral("Date"));
    ASSERT_TRUE(date);
    EXPECT_EQ(date->parent()->text(0), TimeGroup);
    EXPECT_EQ(Form->treeAvailable->currentItem(), date);
    // Back in the order of the field codes: Date right after User's place.
    EXPECT_EQ(ChildNames(date->parent()).front(), QStringLiteral("Date"));
}

TEST_F(ExportFormatForm, EditingAColumnAfterAMergingOneShowsItMerged) {
    TExportFormat format;
    format.AddField(TExportField::Client)->FieldMergeFollowing = true;
    format.AddField(TExportField::Project);
    format.Headings = true;
    Open(&format);
    SelectSelected(QStringLiteral("Project"));
    WithColumnForm(Form->btnEdit, [](TExportColumnForm& column) {
        EXPECT_EQ(column.windowTitle(), QStringLiteral("Export Column (merged)"));
        EXPECT_FALSE(column.pnlHeading->isVisibleTo(&column));
        EXPECT_FALSE(column.pnlMerge->isVisibleTo(&column)); // the last of its group
    });
    SelectSelected(QStringLiteral("Client"));
    WithColumnForm(Form->btnEdit, [](TExportColumnForm& column) {
        EXPECT_EQ(column.windowTitle(), QStringLiteral("Export Column"));
        EXPECT_TRUE(column.pnlHeading->isVisibleTo(&column));
        QTest::mouseClick(column.chkMergeFollowing, Qt::LeftButton); // no longer merging
        QTest::mouseClick(column.btnOK, Qt::LeftButton);
    });
    EXPECT_FALSE(Form->WorkingFormat()->Items(TExportArea::Data).front()->FieldMergeFollowing);
    EXPECT_TRUE(format.Items(TExportArea::Data).front()->FieldMergeFollowing); // the editor works on a copy
}

TEST_F(ExportFormatForm, UsersDefaultToTheCurrentUserOrToAllAndShowSelections) {
    SetUsers(5);
    Users[0].Folder = Locations().LocalFolder + CurrentUserName() + QLatin1Char('/');
    TExportFormat format;
    format.AddField(TExportField::Date);
    format.Users = QStringList{CurrentUserName()};
    Open(&format);
    ASSERT_EQ(Form->cmbUser->count(), 2);
    EXPECT_EQ(Form->cmbUser->currentIndex(), 0);
    EXPECT_EQ(Form->cmbUser->itemText(1), QStringLiteral("All Users (5)"));
    EXPECT_FALSE(Form->btnUsers->isEnabled());
    Form->cmbUser->setCurrentIndex(1);
    EXPECT_TRUE(Form->btnUsers->isEnabled());
    Click(Form->btnOK);
    std::unique_ptr<TExportFormat> edited = Form->TakeFormat();
    ASSERT_TRUE(edited);
    EXPECT_TRUE(edited->Users.isEmpty()); // every user

    format.Users = QStringList{QStringLiteral("user2"), QStringLiteral("user4")};
    Open(&format);
    EXPECT_EQ(Form->cmbUser->currentIndex(), 1);
    EXPECT_EQ(Form->cmbUser->itemText(1), QStringLiteral("Selected Users (2 of 5)"));
    Click(Form->btnOK);
    edited = Form->TakeFormat();
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->Users, QStringList({"user2", "user4"}));

    format.Users.clear();
    Open(&format);
    EXPECT_EQ(Form->cmbUser->currentIndex(), 1);
    EXPECT_EQ(Form->cmbUser->itemText(1), QStringLiteral("All Users (5)"));
    Form->cmbUser->setCurrentIndex(0);
    Click(Form->btnOK);
    EXPECT_EQ(Form->TakeFormat()->Users, QStringList({CurrentUserName()}));
}

TEST_F(ExportFormatForm, UsersButtonTellsOfVanishedNamesAndTakesTheChoice) {
    SetUsers(3);
    TExportFormat format;
    format.AddField(TExportField::Date);
    format.Users = QStringList{QStringLiteral("user1"), QStringLiteral("gone"), QStringLiteral("left")};
    Open(&format);
    bool reached = false;
    QTimer::singleShot(0, Form.get(), [&] {
        auto* users = qobject_cast<TSelectedUsersForm*>(QApplication::activeModalWidget());
        reached = users != nullptr;
        if (!users)
            return;
        EXPECT_EQ(users->listIncludeUsers->count(), 1);
        QListWidget* available = users->listAvailUsers;
        QTest::mouseClick(available->viewport(), Qt::LeftButton, {},
                          available->visualItemRect(available->item(0)).center());
        QTest::mouseClick(users->btnInclude, Qt::LeftButton);
        QTest::mouseClick(users->btnOK, Qt::LeftButton);
    });
    Click(Form->btnUsers);
    ASSERT_TRUE(reached);
    ASSERT_FALSE(Messages->Shown.empty());
    EXPECT_EQ(Messages->Shown[0].Text,
              QStringLiteral("2 previously selected default user names are no longer available"));
    EXPECT_EQ(Form->WorkingFormat()->Users.size(), 2);
    EXPECT_EQ(Form->cmbUser->itemText(1), QStringLiteral("Selected Users (2 of 3)"));
}

TEST_F(ExportFormatForm, DelimiterAndReplacementChecksStopAtTheFirst) {
    TExportFormat format;
    format.AddField(TExportField::Date);
    Open(&format);
    Click(Form->rbOther);
    Form->edtDelimiterReplace->clear();
    Click(Form->btnOK);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text, QStringLiteral("Enter a character to use as a delimiter"));
    EXPECT_EQ(Form->focusWidget(), Form->edtOther);

    Click(Form->rbComma);
    Click(Form->btnOK);
    EXPECT_EQ(Messages->Shown.back().Text, QStringLiteral("Enter a character to use as a delimiter replacement"));
    Form->edtDelimiterReplace->setText(QStringLiteral(","));
    Click(Form->btnOK);
    EXPECT_EQ(Messages->Shown.back().Text,
              QStringLiteral("The delimiter replacement character must be different from the delimiter"));
    EXPECT_FALSE(Form->TakeFormat());

    Form->edtDelimiterReplace->setText(QStringLiteral(";"));
    Form->edtName->setText(QStringLiteral("a/b"));
    Click(Form->btnOK);
    EXPECT_EQ(Messages->Shown.back().Text, QStringLiteral("Format name cannot contain \\/:*?\"<>|"));
    Form->edtName->setText(QStringLiteral("Payroll"));
    Click(Form->btnOK);
    std::unique_ptr<TExportFormat> edited = Form->TakeFormat();
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->Delimiter, ',');
    EXPECT_EQ(edited->DelimiterReplace, ';');
    EXPECT_EQ(edited->FormatName, QStringLiteral("Payroll"));
}

TEST_F(ExportFormatForm, RenamingOntoAListedNameAsksToReplaceIt) {
    TExportFormat format;
    format.AddField(TExportField::Date);
    ASSERT_TRUE(format.SetName(QStringLiteral("Weekly")));
    const QStringList names{QStringLiteral("Monthly"), QStringLiteral("Weekly")};
    Open(&format, names);
    Form->edtName->setText(QStringLiteral("WEEKLY")); // its own name in other letters: no question
    Click(Form->btnOK);
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_TRUE(Form->TakeFormat());

    Open(&format, names);
    Form->edtName->setText(QStringLiteral("monthly"));
    Messages->Answer = mrNo;
    Click(Form->btnOK);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text, QStringLiteral("\"monthly\" already exists - replace it?"));
    EXPECT_FALSE(Form->TakeFormat());
    Messages->Answer = mrYes;
    Click(Form->btnOK);
    std::unique_ptr<TExportFormat> edited = Form->TakeFormat();
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->FormatName, QStringLiteral("monthly"));
    EXPECT_EQ(edited->LoadedFileAge(), TExportFormat::NewFileAge);
}

TEST_F(ExportFormatForm, AUserDefinedColumnNamedLikeAFieldIsReadBackAsThatField) {
    Open(nullptr);
    Include(QStringLiteral("User"));
    WithColumnForm(Form->btnAdd, [](TExportColumnForm& column) {
        column.edtName->setText(QStringLiteral("date"));
        QTest::mouseClick(column.btnOK, Qt::LeftButton);
    });
    Form->edtName->setText(QStringLiteral("Fields"));
    Click(Form->btnOK);
    std::unique_ptr<TExportFormat> edited = Form->TakeFormat();
    ASSERT_TRUE(edited);
    ASSERT_EQ(edited->Save(), QString());
    TExportFormat loaded;
    ASSERT_EQ(loaded.Load(QStringLiteral("Fields")), QString());
    ASSERT_EQ(loaded.Items(TExportArea::Data).size(), 2u);
    EXPECT_EQ(loaded.Items(TExportArea::Data)[1]->Field, TExportField::Date);
}

TEST_F(ExportFormatForm, ClientListsFollowShowActiveAndTheChosenClient) {
    WriteFile(Path(QStringLiteral("admin.txt")), "Acme\tWeb\tY\r\nAcme\tOld\tN\r\nGlobex\tApp\tN\r\n");
    AdminClients = TClients(Path(QStringLiteral("admin.txt")));
    AdminClients.Reload();
    WriteFile(Path(QStringLiteral("inuse.txt")), "Initech\tTPS\tY\r\n");
    InUseClients = TClients(Path(QStringLiteral("inuse.txt")));
    InUseClients.Reload();
    TExportFormat format;
    format.AddField(TExportField::Date);
    format.Client = QStringLiteral("Acme");
    format.Project = QStringLiteral("Web");
    format.ActiveClientProjects = true;
    Open(&format);
    EXPECT_EQ(Form->cmbClient->currentText(), QStringLiteral("Acme"));
    EXPECT_EQ(Form->cmbProject->currentText(), QStringLiteral("Web"));
    EXPECT_EQ(Form->cmbProject->count(), 2); // "All Projects" and the active "Web"
    EXPECT_EQ(Form->cmbClient->findText(QStringLiteral("Globex")), -1);

    Tick(Form->chkActiveClients); // now the user's in-use list, where Acme is not
    EXPECT_EQ(Form->cmbClient->currentText(), QStringLiteral("All Clients"));
    EXPECT_FALSE(Form->cmbProject->isEnabled());
    EXPECT_GE(Form->cmbClient->findText(QStringLiteral("Initech")), 0);
    Click(Form->btnOK);
    std::unique_ptr<TExportFormat> edited = Form->TakeFormat();
    ASSERT_TRUE(edited);
    EXPECT_TRUE(edited->Client.isEmpty());
    EXPECT_TRUE(edited->Project.isEmpty());
}

TEST_F(ExportFormatForm, UsersWithoutRightsMayLookButNotChange) {
    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    Locations().AdminMode = 0;
    ASSERT_FALSE(MayEditAdminData());
    TExportFormat format;
    format.AddField(TExportField::Date);
    Open(&format);
    SelectSelected(QStringLiteral("Date"));
    for (QWidget* control : std::initializer_list<QWidget*>{
             Form->btnInclude, Form->btnIncludeAll, Form->btnExclude, Form->btnExcludeAll, Form->btnAdd,
             Form->btnDelete, Form->edtName, Form->rbComma, Form->btnOK,
             // the settings below the trees too: nothing that cannot be saved may look changeable
             Form->edtDelimiterReplace, Form->chkBlankRows, Form->cmbBlankRows, Form->cmbPeriod,
             Form->cmbUser, Form->btnUsers, Form->cmbClient, Form->cmbProject,
             Form->chkActiveClients, Form->cmbCharging, Form->chkOvertime, Form->edtFileName,
             Form->btnBrowse})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(Form->btnEdit->isEnabled()); // to look at the column
}

TEST_F(ExportFormatForm, BrowseProposesTheExtensionAndRefusesNamesThatCannotBeMade) {
    TExportFormat format;
    format.AddField(TExportField::Date);
    Open(&format);
    QString suffix;
    Form->SaveDialog = [&](QWidget*, const QString&, const QString& proposed) {
        suffix = proposed;
        return Path(QStringLiteral("out.csv"));
    };
    Click(Form->rbComma);
    Click(Form->btnBrowse);
    EXPECT_EQ(suffix, QStringLiteral(".csv"));
    EXPECT_EQ(Form->edtFileName->text(), Path(QStringLiteral("out.csv")));
    Form->SaveDialog = [&](QWidget*, const QString&, const QString& proposed) {
        suffix = proposed;
        return Path(QStringLiteral("missing/folder/out.txt"));
    };
    Click(Form->rbTab);
    Click(Form->btnBrowse);
    EXPECT_EQ(suffix, QStringLiteral(".txt"));
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QLatin1Char('"') + Path(QStringLiteral("missing/folder/out.txt")) + "\" is not a valid file name");
    EXPECT_EQ(Form->edtFileName->text(), Path(QStringLiteral("out.csv")));

    Tick(Form->chkBlankRows);
    EXPECT_EQ(Form->cmbBlankRows->currentText(), QStringLiteral("1"));
    Form->cmbBlankRows->setCurrentIndex(2);
    Click(Form->btnOK);
    std::unique_ptr<TExportFormat> edited = Form->TakeFormat();
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->BlankRows, 3);
    EXPECT_EQ(edited->FileName, QStringLiteral("out.csv"));
}

// What the editor promises is what the command line export writes.
TEST_F(ExportFormatForm, AFormatMadeHereExportsItsColumnsFromTheCommandLine) {
    const QString folder = Locations().LocalFolder;
    WriteFile(folder + QStringLiteral("QHR.ini"),
              "[Registration]\r\nUserName=" + CurrentUserName().toUtf8() + "\r\n");
    WriteFile(folder + QStringLiteral("Data/2024-03.txt"),
              "04 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN\tY\tY\r\n");
    Open(nullptr);
    Include(QStringLiteral("Client"));
    Include(QStringLiteral("Duration"));
    Tick(Form->chkUseHeadings);
    ASSERT_TRUE(Form->chkUseHeadings->isChecked());
    WithColumnForm(Form->btnAdd, [](TExportColumnForm& column) {
        EXPECT_TRUE(column.pnlHeading->isVisibleTo(&column));
        column.edtName->setText(QStringLiteral("Source"));
        column.edtValue->setText(QStringLiteral("QH"));
        column.edtHeading->setText(QStringLiteral("SOURCE"));
        QTest::mouseClick(column.btnOK, Qt::LeftButton);
    });
    Click(Form->rbComma);
    Form->edtName->setText(QStringLiteral("Hours"));
    Click(Form->btnOK);
    std::unique_ptr<TExportFormat> edited = Form->TakeFormat();
    ASSERT_TRUE(edited);
    ASSERT_EQ(edited->Save(), QString());

    const QString output = Path(QStringLiteral("out.csv"));
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("APPDATA"), MakeFolder(QStringLiteral("appdata")));
    cli.setProcessEnvironment(env);
    cli.start(QStringLiteral(QH_CLI_PROGRAM),
              {QStringLiteral("--datadir"), folder, QStringLiteral("export"), QStringLiteral("Hours"),
               QStringLiteral("--from"), QStringLiteral("2024-03-01"), QStringLiteral("--to"),
               QStringLiteral("2024-03-10"), QStringLiteral("--output"), output});
    ASSERT_TRUE(cli.waitForFinished(20000));
    ASSERT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
    const QByteArray headings = (ExportFieldDefaultHeading(TExportField::Client) + QLatin1Char(',') +
                                 ExportFieldDefaultHeading(TExportField::Duration))
                                    .toUtf8();
    EXPECT_EQ(ReadFile(output), headings + ",SOURCE\r\nAcme,1.50,QH\r\n");
}

TEST_F(ExportFormatForm, TheTreesWorkFromTheKeyboard) {
    Open(nullptr);
    SelectAvailable(QStringLiteral("Date"));
    QTest::keyClick(Form->treeAvailable, Qt::Key_Return);
    EXPECT_EQ(ColumnNames(TExportArea::Data), QStringList({"Date"}));
    EXPECT_TRUE(Form->isVisible()); // Return did not press OK
    QTest::keyClick(Form->treeAvailable, Qt::Key_Return); // the next field, now selected
    EXPECT_EQ(ColumnNames(TExportArea::Data).size(), 2);
    SelectSelected(QStringLiteral("Date"));
    bool edited = false;
    QTimer::singleShot(0, Form.get(), [&] {
        edited = Form->ColumnForm && Form->ColumnForm->isVisible();
        if (Form->ColumnForm)
            Click(Form->ColumnForm->btnCancel);
    });
    QTest::keyClick(Form->treeSelected, Qt::Key_Return);
    EXPECT_TRUE(edited);
    SelectSelected(QStringLiteral("Date"));
    QTest::keyClick(Form->treeSelected, Qt::Key_Delete);
    EXPECT_EQ(ColumnNames(TExportArea::Data).size(), 1);
    EXPECT_TRUE(Node(*Form->treeAvailable, QStringLiteral("Date")));
}
