#include "base/applocale.h"
#include "reportwindows/selectedusersform.h"
#include "storage/settings/personalsettings.h"
#include "storage/settings/windowgeometry.h"
#include "testsupport.h"
#include "widgets/toolglyphs.h"

#include <algorithm>
#include <memory>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {
const QString Root = QStringLiteral("/srv/quillhour/data/");

TServerUser User(const QString& name, QDate date, QTime time) {
    return {Root + name + QLatin1Char('/'), PackDateTime(TMoment(date, time))};
}

QStringList Rows(const QListWidget* list) {
    QStringList rows;
    for (int row = 0; row < list->count(); ++row)
        rows.append(list->item(row)->text());
    return rows;
}

QStringList Names(const QListWidget* list) {
    QStringList names;
    for (const QString& row : Rows(list))
        names.append(row.section(QLatin1Char('\t'), 0, 0));
    return names;
}

QStringList Names(const TServerUsers& users) {
    QStringList names;
    for (const TServerUser& user : users)
        names.append(user.Name());
    return names;
}

QImage GlyphImage(const QIcon& icon) {
    return icon.pixmap(16, 16).toImage();
}

QStringList Split(const char* names) {
    return QString::fromLatin1(names).split(QLatin1Char(' '));
}
} // namespace

// Five users of a work group, their latest entries out of name order.
class SelectedUsersForm : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        SetAppLocale(QLocale(QStringLiteral("en_GB")));
        All = {User(QStringLiteral("carl"), {2024, 1, 15}, {8, 30}),
               User(QStringLiteral("ann"), {2024, 3, 5}, {9, 7}),
               User(QStringLiteral("eve"), {2022, 12, 31}, {23, 58}),
               User(QStringLiteral("Bob"), {2023, 11, 20}, {16, 45}),
               User(QStringLiteral("dora"), {2024, 6, 1}, {12, 0})};
    }
    void Open(const QStringList& chosen, bool showsLatestEntry = true) {
        Selection.clear();
        for (const QString& name : chosen)
            for (const TServerUser& user : All)
                if (user.Name() == name)
                    Selection.push_back(user);
        Form = std::make_unique<TSelectedUsersForm>();
        Form->Setup(All, Selection, showsLatestEntry);
        Form->show();
    }
    QPoint RowCentre(QListWidget* list, int row) const {
        return list->visualItemRect(list->item(row)).center();
    }
    void ClickRow(QListWidget* list, int row, Qt::KeyboardModifiers keys = {}) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, keys, RowCentre(list, row));
    }
    // Presses on a row and moves past the drag distance.
    void StartDrag(QListWidget* list, int row) {
        const QPoint press = RowCentre(list, row);
        QTest::mousePress(list->viewport(), Qt::LeftButton, {}, press);
        QTest::mouseMove(list->viewport(),
                         press + QPoint(QApplication::startDragDistance() + 1, 0));
    }
    // Moves the dragging pointer over a point of target; the drag's cursor there.
    Qt::CursorShape DragOver(QListWidget* source, QWidget* target, QPoint at) {
        QTest::mouseMove(source->viewport(), Local(source, target, at));
        return source->viewport()->cursor().shape();
    }
    void Drop(QListWidget* source, QWidget* target, QPoint at) {
        QTest::mouseRelease(source->viewport(), Qt::LeftButton, {}, Local(source, target, at));
    }
    static QPoint Local(QListWidget* source, QWidget* target, QPoint at) {
        return source->viewport()->mapFromGlobal(target->mapToGlobal(at));
    }
    QPoint Middle(QListWidget* list) const { return list->viewport()->rect().center(); }

    TServerUsers All;
    TServerUsers Selection;
    std::unique_ptr<TSelectedUsersForm> Form;
};

TEST_F(SelectedUsersForm, OpensWithTheChosenUsersRightAndTheOthersLeft) {
    Open({QStringLiteral("carl"), QStringLiteral("ann")});
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Select Users for Report"));
    const int ppi = Form->logicalDpiX();
    EXPECT_EQ(Form->size(), QSize(ScaleToScreen(552, ppi), ScaleToScreen(366, ppi)));
    EXPECT_EQ(Form->listAvailUsers->width(), ScaleToScreen(249, ppi));
    EXPECT_EQ(Form->btnAvailUser->width(), ScaleToScreen(135, ppi));
    EXPECT_EQ(Form->btnIncludeDate->width(), ScaleToScreen(115, ppi));
    EXPECT_EQ(Form->btnAvailDate->text(), QStringLiteral("Lastest Entry"));
    EXPECT_TRUE(Form->btnOK->isDefault());

    // By name with the locale's rules: "Bob" between "ann" and "carl".
    EXPECT_EQ(Rows(Form->listAvailUsers), QStringList({QStringLiteral("Bob\t20/11/2023  16:45"),
                                                       QStringLiteral("dora\t01/06/2024  12:00"),
                                                       QStringLiteral("eve\t31/12/2022  23:58")}));
    EXPECT_EQ(Rows(Form->listIncludeUsers),
              QStringList({QStringLiteral("ann\t05/03/2024  09:07"),
                           QStringLiteral("carl\t15/01/2024  08:30")}));
    EXPECT_TRUE(Form->btnIncludeAll->isEnabled());
    EXPECT_FALSE(Form->btnInclude->isEnabled());
    EXPECT_TRUE(Form->btnExcludeAll->isEnabled());
    EXPECT_FALSE(Form->btnExclude->isEnabled());
    EXPECT_TRUE(Form->btnOK->isEnabled());
    for (QPushButton* head :
         {Form->btnAvailUser, Form->btnAvailDate, Form->btnIncludeUser, Form->btnIncludeDate}) {
        EXPECT_TRUE(head->isVisible()) << head->objectName().toStdString();
        EXPECT_TRUE(head->icon().isNull()) << head->objectName().toStdString();
    }

    // Clicks in a list decide the single-row buttons.
    ClickRow(Form->listIncludeUsers, 1);
    EXPECT_TRUE(Form->btnExclude->isEnabled());
    EXPECT_FALSE(Form->btnInclude->isEnabled());
    ClickRow(Form->listIncludeUsers, 1, Qt::ControlModifier);
    EXPECT_FALSE(Form->btnExclude->isEnabled());
}

TEST_F(SelectedUsersForm, EveryUserChosenLeavesNothingToInclude) {
    Open(Names(All));
    EXPECT_EQ(Form->listAvailUsers->count(), 0);
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("ann Bob carl dora eve"));
    EXPECT_FALSE(Form->btnInclude->isEnabled());
    EXPECT_FALSE(Form->btnIncludeAll->isEnabled());
    EXPECT_TRUE(Form->btnExcludeAll->isEnabled());
    EXPECT_TRUE(Form->btnOK->isEnabled());
}

TEST_F(SelectedUsersForm, TheHeadsOrderTheirOwnListAndShowTheOrder) {
    Open({QStringLiteral("carl"), QStringLiteral("ann"), QStringLiteral("eve"),
          QStringLiteral("dora")});
    const QImage up = GlyphImage(ToolGlyph(TToolGlyph::SortUp));
    const QImage down = GlyphImage(ToolGlyph(TToolGlyph::SortDown));
    ASSERT_NE(up, down);

    QTest::mouseClick(Form->btnIncludeUser, Qt::LeftButton);
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("ann carl dora eve"));
    EXPECT_EQ(GlyphImage(Form->btnIncludeUser->icon()), up);
    QTest::mouseClick(Form->btnIncludeUser, Qt::LeftButton);
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("eve dora carl ann"));
    EXPECT_EQ(GlyphImage(Form->btnIncludeUser->icon()), down);
    EXPECT_TRUE(Form->btnIncludeDate->icon().isNull());

    QTest::mouseClick(Form->btnIncludeDate, Qt::LeftButton);
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("eve carl ann dora"));
    EXPECT_EQ(GlyphImage(Form->btnIncludeDate->icon()), up);
    EXPECT_TRUE(Form->btnIncludeUser->icon().isNull());
    QTest::mouseClick(Form->btnIncludeDate, Qt::LeftButton);
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("dora ann carl eve"));
    EXPECT_EQ(GlyphImage(Form->btnIncludeDate->icon()), down);
    // Back to the name head: ascending again.
    QTest::mouseClick(Form->btnIncludeUser, Qt::LeftButton);
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("ann carl dora eve"));

    // The left list keeps its own order; users moved there take it.
    EXPECT_TRUE(Form->btnAvailUser->icon().isNull());
    QTest::mouseClick(Form->btnAvailDate, Qt::LeftButton);
    QTest::mouseClick(Form->btnAvailDate, Qt::LeftButton);
    ClickRow(Form->listIncludeUsers, 1);                      // carl 2024-01
    ClickRow(Form->listIncludeUsers, 3, Qt::ControlModifier); // eve 2022-12
    QTest::mouseClick(Form->btnExclude, Qt::LeftButton);
    EXPECT_EQ(Names(Form->listAvailUsers), Split("carl Bob eve"));
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("ann dora"));
    EXPECT_EQ(GlyphImage(Form->btnAvailDate->icon()), down);
}

TEST_F(SelectedUsersForm, TheArrowButtonsMoveUsersAndKeepTheButtonStates) {
    Open({QStringLiteral("dora")});
    ClickRow(Form->listAvailUsers, 0);                      // ann
    ClickRow(Form->listAvailUsers, 2, Qt::ControlModifier); // carl
    EXPECT_TRUE(Form->btnInclude->isEnabled());
    QTest::mouseClick(Form->btnInclude, Qt::LeftButton);
    EXPECT_EQ(Names(Form->listAvailUsers), Split("Bob eve"));
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("ann carl dora"));
    EXPECT_FALSE(Form->btnInclude->isEnabled()); // the new rows are not selected

    QTest::mouseClick(Form->btnExcludeAll, Qt::LeftButton);
    EXPECT_EQ(Form->listIncludeUsers->count(), 0);
    EXPECT_EQ(Names(Form->listAvailUsers), Split("ann Bob carl dora eve"));
    EXPECT_FALSE(Form->btnOK->isEnabled());
    EXPECT_FALSE(Form->btnExcludeAll->isEnabled());
    EXPECT_FALSE(Form->btnExclude->isEnabled());

    QTest::mouseClick(Form->btnIncludeAll, Qt::LeftButton);
    EXPECT_EQ(Form->listAvailUsers->count(), 0);
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("ann Bob carl dora eve"));
    EXPECT_TRUE(Form->btnOK->isEnabled());
    EXPECT_FALSE(Form->btnIncludeAll->isEnabled());
}

TEST_F(SelectedUsersForm, DraggingSelectedRowsOntoTheOtherListMovesThem) {
    Open({QStringLiteral("dora")});
    ClickRow(Form->listAvailUsers, 1);                      // Bob
    ClickRow(Form->listAvailUsers, 3, Qt::ControlModifier); // eve
    StartDrag(Form->listAvailUsers, 3);
    // Both rows stay selected while the drag goes on.
    EXPECT_EQ(Form->listAvailUsers->selectedItems().size(), 2);
    EXPECT_EQ(DragOver(Form->listAvailUsers, Form->btnInclude, {5, 5}), Qt::ForbiddenCursor);
    EXPECT_EQ(DragOver(Form->listAvailUsers, Form->listIncludeUsers->viewport(),
                       Middle(Form->listIncludeUsers)),
              Qt::DragMoveCursor);
    Drop(Form->listAvailUsers, Form->listIncludeUsers->viewport(), Middle(Form->listIncludeUsers));
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("Bob dora eve"));
    EXPECT_EQ(Names(Form->listAvailUsers), Split("ann carl"));
    EXPECT_FALSE(Form->listAvailUsers->viewport()->testAttribute(Qt::WA_SetCursor));

    // Back again: a drop on the left list takes the rows selected in the right one.
    ClickRow(Form->listIncludeUsers, 0); // Bob
    StartDrag(Form->listIncludeUsers, 0);
    EXPECT_EQ(DragOver(Form->listIncludeUsers, Form->listAvailUsers->viewport(), {10, 10}),
              Qt::DragMoveCursor);
    Drop(Form->listIncludeUsers, Form->listAvailUsers->viewport(), {10, 10});
    EXPECT_EQ(Names(Form->listAvailUsers), Split("ann Bob carl"));
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("dora eve"));
}

TEST_F(SelectedUsersForm, ADropIsRefusedWithoutSelectedRowsToTake) {
    Open({QStringLiteral("dora")});
    ClickRow(Form->listAvailUsers, 0); // ann; nothing selected on the right
    StartDrag(Form->listAvailUsers, 0);
    EXPECT_EQ(DragOver(Form->listAvailUsers, Form->listAvailUsers->viewport(),
                       Middle(Form->listAvailUsers)),
              Qt::ForbiddenCursor);
    Drop(Form->listAvailUsers, Form->listAvailUsers->viewport(), Middle(Form->listAvailUsers));
    EXPECT_EQ(Names(Form->listAvailUsers), Split("ann Bob carl eve"));
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("dora"));
    EXPECT_FALSE(Form->listAvailUsers->viewport()->testAttribute(Qt::WA_SetCursor));

    // A drop beside both lists does nothing either, and Esc ends a drag without a drop.
    StartDrag(Form->listAvailUsers, 0);
    Drop(Form->listAvailUsers, Form->btnOK, {5, 5});
    StartDrag(Form->listAvailUsers, 0);
    DragOver(Form->listAvailUsers, Form->listIncludeUsers->viewport(),
             Middle(Form->listIncludeUsers));
    QTest::keyClick(Form->listAvailUsers, Qt::Key_Escape);
    EXPECT_TRUE(Form->isVisible());
    Drop(Form->listAvailUsers, Form->listIncludeUsers->viewport(), Middle(Form->listIncludeUsers));
    EXPECT_EQ(Names(Form->listIncludeUsers), Split("dora"));

    // A press on one of several selected rows that does not become a drag selects it alone.
    ClickRow(Form->listAvailUsers, 2, Qt::ControlModifier);
    ASSERT_EQ(Form->listAvailUsers->selectedItems().size(), 2);
    ClickRow(Form->listAvailUsers, 2);
    ASSERT_EQ(Form->listAvailUsers->selectedItems().size(), 1);
    EXPECT_EQ(
        Form->listAvailUsers->selectedItems().front()->text().section(QLatin1Char('\t'), 0, 0),
        QStringLiteral("carl"));
}

TEST_F(SelectedUsersForm, WithoutLatestEntriesTheRowsHoldNamesOnly) {
    Open({QStringLiteral("eve")}, false);
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Select Users"));
    EXPECT_EQ(Rows(Form->listAvailUsers), Split("ann Bob carl dora"));
    EXPECT_EQ(Rows(Form->listIncludeUsers), Split("eve"));
    EXPECT_FALSE(Form->btnAvailDate->isVisible());
    EXPECT_FALSE(Form->btnIncludeDate->isVisible());
    EXPECT_EQ(Form->btnAvailUser->geometry().left(), Form->listAvailUsers->geometry().left());
    EXPECT_EQ(Form->btnAvailUser->width(), Form->listAvailUsers->width());
    EXPECT_EQ(Form->btnIncludeUser->width(), Form->listIncludeUsers->width());
    QTest::mouseClick(Form->btnAvailUser, Qt::LeftButton);
    QTest::mouseClick(Form->btnAvailUser, Qt::LeftButton);
    EXPECT_EQ(Rows(Form->listAvailUsers), Split("dora carl Bob ann"));
}

TEST_F(SelectedUsersForm, OKReplacesTheSelectionAndCancelKeepsIt) {
    Open({QStringLiteral("ann")});
    ClickRow(Form->listAvailUsers, 3); // eve
    QTest::mouseClick(Form->btnInclude, Qt::LeftButton);
    EXPECT_EQ(Names(Selection), Split("ann")); // nothing changes before OK
    QTest::mouseClick(Form->btnOK, Qt::LeftButton);
    EXPECT_EQ(Form->result(), QDialog::Accepted);
    ASSERT_EQ(Names(Selection), Split("ann eve"));
    EXPECT_EQ(Selection[1], All[2]); // the same entry, latest entry and all

    Open({QStringLiteral("ann"), QStringLiteral("Bob")});
    QTest::mouseClick(Form->btnExcludeAll, Qt::LeftButton);
    QTest::mouseClick(Form->btnCancel, Qt::LeftButton);
    EXPECT_EQ(Form->result(), QDialog::Rejected);
    EXPECT_EQ(Names(Selection), Split("ann Bob"));
}

TEST_F(SelectedUsersForm, ExecuteShowsTheWindowModally) {
    TServerUsers selection{All[3]};
    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TSelectedUsersForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->btnIncludeAll->click();
        form->btnOK->click();
    });
    EXPECT_TRUE(TSelectedUsersForm::Execute(nullptr, All, selection, true));
    EXPECT_EQ(Names(selection), Split("ann Bob carl dora eve"));

    QTimer::singleShot(0, [] {
        auto* form = qobject_cast<TSelectedUsersForm*>(QApplication::activeModalWidget());
        ASSERT_NE(form, nullptr);
        form->btnExcludeAll->click();
        QTest::keyClick(form, Qt::Key_Escape);
    });
    EXPECT_FALSE(TSelectedUsersForm::Execute(nullptr, All, selection, false));
    EXPECT_EQ(selection.size(), All.size());
}

TEST_F(SelectedUsersForm, HintsFollowTheSettingAndTheArrowsHaveNames) {
    Open({});
    EXPECT_EQ(Form->btnInclude->toolTip(), QStringLiteral("Include selected users in report"));
    EXPECT_EQ(Form->btnAvailDate->toolTip(),
              QStringLiteral("Click to order by date and time of latest time entry"));
    EXPECT_FALSE(Form->btnOK->isEnabled());
    PersonalSettings().Setup.ShowHints = false;
    Open({});
    EXPECT_TRUE(Form->btnInclude->toolTip().isEmpty());
    EXPECT_TRUE(Form->btnIncludeUser->toolTip().isEmpty());
    EXPECT_EQ(Form->btnIncludeAll->accessibleName(), QStringLiteral("Include all users in report"));
    EXPECT_EQ(Form->btnExclude->accessibleName(),
              QStringLiteral("Exclude selected users from report"));
    EXPECT_EQ(Form->btnExcludeAll->accessibleName(),
              QStringLiteral("Exclude all users from report"));
}
