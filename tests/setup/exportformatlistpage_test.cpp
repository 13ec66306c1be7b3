#include "base/datalocations.h"
#include "export/exportformat.h"
#include "export/exportformatfiles.h"
#include "setup/exportformatform.h"
#include "setup/exportformatlistpage.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include <gtest/gtest.h>

class ExportFormatListPage : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        QDir().mkpath(QFileInfo(ExportFormatFileName(QStringLiteral("x"))).absolutePath());
        Page = std::make_unique<TExportFormatListPage>();
        Page->show();
    }
    void TearDown() override {
        Page.reset();
        Locations() = TDataLocations{};
        TTempFolderTest::TearDown();
    }
    void SaveFormat(const QString& name, TExportField field = TExportField::Date) {
        TExportFormat format;
        format.AddField(field);
        ASSERT_TRUE(format.SetName(name));
        ASSERT_EQ(format.Save(), QString());
    }
    QStringList Listed() const {
        QStringList names;
        for (int i = 0; i < Page->listExportFormats->count(); ++i)
            names.append(Page->listExportFormats->item(i)->text());
        return names;
    }
    void Select(const QString& name) {
        const QList<QListWidgetItem*> found = Page->listExportFormats->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        Page->listExportFormats->setCurrentItem(found.front());
    }
    void Click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }
    // Clicks button, which opens the format editor modally, and lets act work in it.
    bool WithEditor(QAbstractButton* button, const std::function<void(TExportFormatForm&)>& act) {
        bool reached = false;
        QTimer::singleShot(0, Page.get(), [&] {
            reached = true;
            act(*Page->FormatForm);
            if (Page->FormatForm->isVisible())
                Click(Page->FormatForm->btnCancel);
        });
        Click(button);
        return reached;
    }
    QByteArray FileOf(const QString& name) const { return ReadFile(ExportFormatFileName(name)); }

    std::unique_ptr<TExportFormatListPage> Page;
};

TEST_F(ExportFormatListPage, ListsTheFormatsSortedAndApplyStartsDisabled) {
    SaveFormat(QStringLiteral("weekly"));
    SaveFormat(QStringLiteral("Annual"));
    SaveFormat(QStringLiteral("Monthly"));
    Page->Fill();
    EXPECT_EQ(Listed(), QStringList({"Annual", "Monthly", "weekly"}));
    EXPECT_FALSE(Page->btnApply->isEnabled());
    EXPECT_FALSE(Page->btnEditExportFormat->isEnabled());
    EXPECT_TRUE(Page->btnAddExportFormat->isEnabled());
    Select(QStringLiteral("Monthly"));
    EXPECT_TRUE(Page->btnEditExportFormat->isEnabled());
    EXPECT_TRUE(Page->btnDeleteExportFormat->isEnabled());
    EXPECT_EQ(Page->SaveFormatChanges(), QString()); // nothing to do
}

TEST_F(ExportFormatListPage, DeleteThenAddTheSameNameOverwritesInsteadOfDeleting) {
    SaveFormat(QStringLiteral("Payroll"), TExportField::Date);
    Page->Fill();
    Select(QStringLiteral("Payroll"));
    Messages->Answer = mrNo;
    Click(Page->btnDeleteExportFormat);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text, QStringLiteral("Delete the \"Payroll\" format?"));
    EXPECT_EQ(Listed(), QStringList({"Payroll"}));
    Messages->Answer = mrYes;
    Click(Page->btnDeleteExportFormat);
    EXPECT_TRUE(Listed().isEmpty());
    EXPECT_EQ(Page->PendingDeletions(), QStringList({"Payroll"}));
    EXPECT_TRUE(Page->btnApply->isEnabled());

    ASSERT_TRUE(WithEditor(Page->btnAddExportFormat, [](TExportFormatForm& editor) {
        editor.edtName->setText(QStringLiteral("Payroll"));
        editor.btnIncludeAll->click();
        editor.btnOK->click();
    }));
    EXPECT_EQ(Listed(), QStringList({"Payroll"}));
    EXPECT_TRUE(Page->HoldsFormat(QStringLiteral("Payroll")));
    Click(Page->btnApply);
    EXPECT_EQ(Messages->Shown.size(), 2u); // only the delete question, no warning
    EXPECT_TRUE(QFile::exists(ExportFormatFileName(QStringLiteral("Payroll"))));
    TExportFormat saved;
    ASSERT_EQ(saved.Load(QStringLiteral("Payroll")), QString());
    EXPECT_EQ(saved.ItemCount(), 20); // the new format, not the old one
    EXPECT_TRUE(Page->PendingDeletions().isEmpty());
    EXPECT_FALSE(Page->btnApply->isEnabled());
}

TEST_F(ExportFormatListPage, RenamingKeepsTheOldEntryAndItsFile) {
    SaveFormat(QStringLiteral("Old"));
    const QByteArray oldFile = FileOf(QStringLiteral("Old"));
    Page->Fill();
    Select(QStringLiteral("Old"));
    ASSERT_TRUE(WithEditor(Page->btnEditExportFormat, [](TExportFormatForm& editor) {
        EXPECT_EQ(editor.windowTitle(), QStringLiteral("Export Format - Old"));
        editor.edtName->setText(QStringLiteral("New"));
        editor.btnOK->click();
    }));
    EXPECT_EQ(Listed(), QStringList({"New", "Old"}));
    EXPECT_EQ(Page->listExportFormats->currentItem()->text(), QStringLiteral("New"));
    Click(Page->btnApply);
    EXPECT_TRUE(QFile::exists(ExportFormatFileName(QStringLiteral("New"))));
    EXPECT_EQ(FileOf(QStringLiteral("Old")), oldFile);
}

TEST_F(ExportFormatListPage, AChangeByAnotherUserIsReportedAndTheNextEditReadsTheirVersion) {
    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    Locations().AdminMode = 1;
    QDir().mkpath(QFileInfo(ExportFormatFileName(QStringLiteral("x"))).absolutePath());
    SaveFormat(QStringLiteral("Shared"));
    Page->Fill();
    Select(QStringLiteral("Shared"));
    ASSERT_TRUE(WithEditor(Page->btnEditExportFormat, [](TExportFormatForm& editor) {
        editor.edtDescription->setText(QStringLiteral("mine"));
        editor.btnOK->click();
    }));
    // Another workstation saves its own version meanwhile.
    TExportFormat theirs;
    ASSERT_EQ(theirs.Load(QStringLiteral("Shared")), QString());
    theirs.FormatDescription = QStringLiteral("theirs");
    QTest::qWait(1100); // a file time of its own
    ASSERT_EQ(theirs.Save(), QString());

    Click(Page->btnApply);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QStringLiteral("The following formats could not be saved\t\r(Formats changed by another "
                             "user have been reloaded; the others keep your changes, so Apply can "
                             "save them again):\t\r\t\rData for \"Shared\" has been changed by "
                             "another user"));
    EXPECT_FALSE(Page->HoldsFormat(QStringLiteral("Shared")));
    Select(QStringLiteral("Shared"));
    ASSERT_TRUE(WithEditor(Page->btnEditExportFormat, [](TExportFormatForm& editor) {
        EXPECT_EQ(editor.edtDescription->text(), QStringLiteral("theirs"));
    }));
}

TEST_F(ExportFormatListPage, ALoadErrorIsShownAndTheEditorStaysClosed) {
    WriteFile(ExportFormatFileName(QStringLiteral("Broken")), "not a format\r\n");
    Page->Fill();
    Select(QStringLiteral("Broken"));
    Click(Page->btnEditExportFormat);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Error);
    EXPECT_TRUE(Page->FormatForm == nullptr || !Page->FormatForm->isVisible());
    EXPECT_FALSE(Page->HoldsFormat(QStringLiteral("Broken")));
}

TEST_F(ExportFormatListPage, AFileThatCannotBeDeletedIsReported) {
    SaveFormat(QStringLiteral("Stuck"));
    Page->Fill();
    // A folder in the file's place cannot be removed as a file.
    const QString path = ExportFormatFileName(QStringLiteral("Stuck"));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path + QStringLiteral("/inner")));
    Select(QStringLiteral("Stuck"));
    Messages->Answer = mrYes;
    Click(Page->btnDeleteExportFormat);
    EXPECT_EQ(Listed(), QStringList());
    const QString errors = Page->SaveFormatChanges();
    EXPECT_EQ(errors, QStringLiteral("The following formats could not be deleted:\t\r\t\r"
                                     "Cannot delete \"") +
                          path + QLatin1Char('"'));
    EXPECT_TRUE(Page->PendingDeletions().isEmpty());
    // It is still there, so it is still listed.
    EXPECT_EQ(Listed(), QStringList{QStringLiteral("Stuck")});
}

// Names compare without letter case, Linux file names do not: one format keeps one file.
TEST_F(ExportFormatListPage, OneFilePerFormatWhateverTheLetterCase) {
    SaveFormat(QStringLiteral("News letter"));
    Page->Fill();
    Select(QStringLiteral("News letter"));
    Messages->Answer = mrYes;
    Click(Page->btnDeleteExportFormat);
    ASSERT_TRUE(WithEditor(Page->btnAddExportFormat, [](TExportFormatForm& editor) {
        editor.edtName->setText(QStringLiteral("news LETTER"));
        editor.btnIncludeAll->click();
        editor.btnOK->click();
    }));
    EXPECT_EQ(Page->SaveFormatChanges(), QString());
    const QStringList files = QDir(QFileInfo(ExportFormatFileName(QStringLiteral("x"))).absolutePath())
                                  .entryList(QDir::Files);
    EXPECT_EQ(files, QStringList{QStringLiteral("ef-news LETTER.txt")});

    // A rename that changes only the letter case renames the file.
    Page->Fill();
    Select(QStringLiteral("news LETTER"));
    ASSERT_TRUE(WithEditor(Page->btnEditExportFormat, [](TExportFormatForm& editor) {
        editor.edtName->setText(QStringLiteral("News Letter"));
        editor.btnOK->click();
    }));
    EXPECT_EQ(Page->SaveFormatChanges(), QString());
    EXPECT_EQ(QDir(QFileInfo(ExportFormatFileName(QStringLiteral("x"))).absolutePath())
                  .entryList(QDir::Files),
              QStringList{QStringLiteral("ef-News Letter.txt")});
    // And a delete takes the file that is really there, in any spelling.
    Page->Fill();
    Select(QStringLiteral("News Letter"));
    Click(Page->btnDeleteExportFormat);
    EXPECT_EQ(Page->SaveFormatChanges(), QString());
    EXPECT_TRUE(ExportFormatFilesOf(QStringLiteral("news letter")).isEmpty());
}

TEST_F(ExportFormatListPage, AFailedSaveKeepsTheEditForTheNextApply) {
    SaveFormat(QStringLiteral("Weekly"));
    Page->Fill();
    Select(QStringLiteral("Weekly"));
    ASSERT_TRUE(WithEditor(Page->btnEditExportFormat, [](TExportFormatForm& editor) {
        editor.edtDescription->setText(QStringLiteral("my change"));
        editor.btnOK->click();
    }));
    // The file cannot be written: a folder stands in its place.
    const QString path = ExportFormatFileName(QStringLiteral("Weekly"));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    const QString errors = Page->SaveFormatChanges();
    EXPECT_TRUE(errors.contains(QStringLiteral("Your changes are kept"))) << errors.toStdString();
    EXPECT_TRUE(Page->HoldsFormat(QStringLiteral("Weekly")));
    ASSERT_TRUE(QDir().rmdir(path));
    EXPECT_EQ(Page->SaveFormatChanges(), QString());
    TExportFormat saved;
    ASSERT_EQ(saved.Load(QStringLiteral("Weekly")), QString());
    EXPECT_EQ(saved.FormatDescription, QStringLiteral("my change"));
}

TEST_F(ExportFormatListPage, ReleaseDropsWhatWasNotApplied) {
    SaveFormat(QStringLiteral("Keep"));
    Page->Fill();
    Select(QStringLiteral("Keep"));
    Messages->Answer = mrYes;
    Click(Page->btnDeleteExportFormat);
    Page->Release();
    Page->Fill();
    EXPECT_EQ(Listed(), QStringList({"Keep"}));
    EXPECT_TRUE(QFile::exists(ExportFormatFileName(QStringLiteral("Keep"))));
}

TEST_F(ExportFormatListPage, UsersWithoutRightsMayOnlyLook) {
    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    Locations().AdminMode = 0;
    ASSERT_FALSE(MayEditAdminData());
    QDir().mkpath(QFileInfo(ExportFormatFileName(QStringLiteral("x"))).absolutePath());
    SaveFormat(QStringLiteral("Seen"));
    Page->Fill();
    Select(QStringLiteral("Seen"));
    EXPECT_FALSE(Page->btnAddExportFormat->isEnabled());
    EXPECT_FALSE(Page->btnDeleteExportFormat->isEnabled());
    EXPECT_FALSE(Page->btnApply->isEnabled());
    EXPECT_TRUE(Page->btnEditExportFormat->isEnabled());
}
