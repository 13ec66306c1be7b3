#include "app/quillhourprogram.h"
#include "base/datalocations.h"
#include "base/version.h"
#include "dayview/mainform.h"
#include "setup/listtreeeditor.h"
#include "setup/setupform.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <functional>
#include <memory>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {
// Check boxes take clicks on their box and caption only.
void ClickBox(QAbstractButton* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}
} // namespace

// The set-up window as the program opens it from its main window.
class SetupFormInProgram : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Local = MakeFolder(QStringLiteral("local"));
        Env.Args = {Env.Program, QStringLiteral("/datadir"), Local};
        ApplyEnvironment();
        // A known user of this version: no questions about help at start.
        WriteFile(Local + QStringLiteral("QHR.ini"),
                  QByteArray("[Registration]\r\nUserName=Mary\r\n[Version]\r\nNumber=") +
                      QuillhourVersion + "\r\n");
    }
    void TearDown() override {
        Poll.reset();
        TTempFolderTest::TearDown();
    }
    // Runs act once the set-up window is shown (polling, as it opens from a queued step that
    // may run while the program starts); afterwards a window still open is cancelled.
    void WhenSetupShows(TQuillhourProgram& program, const std::function<void(TSetupForm&)>& act) {
        Poll = std::make_unique<QTimer>();
        Poll->setInterval(10);
        QObject::connect(Poll.get(), &QTimer::timeout, Poll.get(), [this, &program, act] {
            TSetupForm* form = program.SetupForm();
            if (!form || !form->isVisible() || form->IsOpening())
                return;
            Poll->stop();
            Reached = true;
            act(*form);
            if (form->isVisible())
                form->reject();
        });
        Poll->start();
    }
    void WaitFor(const bool& flag) {
        QElapsedTimer clock;
        clock.start();
        while (!flag && clock.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 20);
    }

    QString Local;
    bool Reached = false;
    std::unique_ptr<QTimer> Poll;
};

TEST_F(SetupFormInProgram, ChangeMadeInTheWindowIsInTheSettingsFileAfterTheProgramEnds) {
    TQuillhourProgram program;
    ASSERT_TRUE(program.Start());
    WhenSetupShows(program, [](TSetupForm& form) {
        EXPECT_EQ(form.pageControl->currentWidget(), form.shtPersonal);
        form.edtUserName->selectAll();
        QTest::keyClicks(form.edtUserName, QStringLiteral("Zoe"));
        ClickBox(form.chkConfirmDeletes);
        QTest::mouseClick(form.btnOK, Qt::LeftButton);
        EXPECT_FALSE(form.isVisible());
    });
    QTest::mouseClick(program.MainForm()->sbnSetup, Qt::LeftButton);
    ASSERT_TRUE(Reached);
    EXPECT_FALSE(MessageBoxShowing);
    EXPECT_EQ(CurrentUserName(), QStringLiteral("Zoe"));
    program.MainForm()->close(); // the stop sequence saves the personal settings
    const QByteArray file = ReadFile(Local + QStringLiteral("QHR.ini"));
    EXPECT_TRUE(file.contains("UserName=Zoe\r\n")) << file.toStdString();
    EXPECT_TRUE(file.contains("ConfirmDeletes=0\r\n"));
}

TEST_F(SetupFormInProgram, EmptyListsAtStartOpenTheClientProjectPage) {
    Messages->Answer = mrYes; // "... go to setup now?"
    TQuillhourProgram program;
    bool added = false;
    WhenSetupShows(program, [&added](TSetupForm& form) {
        EXPECT_EQ(form.pageControl->currentWidget(), form.shtClientProject);
        EXPECT_EQ(form.focusWidget(), form.Trees()->treeViewClient);
        added = form.Trees()->btnAddClient->isEnabled();
        QTest::mouseClick(form.btnCancel, Qt::LeftButton);
    });
    ASSERT_TRUE(program.Start());
    WaitFor(Reached);
    ASSERT_TRUE(Reached);
    EXPECT_TRUE(added);
    ASSERT_FALSE(Messages->Shown.empty());
    EXPECT_EQ(Messages->Shown.back().Text,
              QStringLiteral("Client/Project or Category/Activity information is incomplete - "
                             "go to setup now?"));
    program.Stop();
}
