#include "dayview/undomanager.h"
#include "storage/months/block.h"
#include "storage/months/day.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <gtest/gtest.h>

namespace {
// Writes down what the steps ask of the window.
class TRecordingTarget : public TUndoTarget {
public:
    void UndoClearSelection() override { Calls.append(QStringLiteral("clear")); }
    void UndoSelectDate(QDate date) override {
        Calls.append(QStringLiteral("date ") + date.toString(Qt::ISODate));
        if (OnSelectDate)
            OnSelectDate();
    }
    void UndoRestoreDay(const TDay& day) override {
        Calls.append(QStringLiteral("day %1 blocks").arg(day.Blocks.size()));
    }
    void UndoRestoreBlock(int start, const TBlock& copy) override {
        Calls.append(QStringLiteral("block %1 ").arg(start) + copy.Remarks);
    }
    void UndoReselect(int start) override { Calls.append(QStringLiteral("select %1").arg(start)); }
    void UndoFocus(QWidget*) override { Calls.append(QStringLiteral("focus")); }

    QStringList Calls;
    std::function<void()> OnSelectDate;
};
} // namespace

class UndoManagerTest : public ::testing::Test {
protected:
    UndoManagerTest() {
        First.Remarks = QStringLiteral("one");
        Second.Remarks = QStringLiteral("two");
        Day.AddBlock(900, 1000);
        Undo.OnRefreshButton = [this] { ++Refreshes; };
    }
    TRecordingTarget Target;
    TUndoManager Undo{Target};
    TBlock First{900, 1000};
    TBlock Second{1000, 1100};
    TDay Day{QDate(2024, 3, 1)};
    QLineEdit Remarks;
    QComboBox Client;
    QCheckBox Overtime;
    int Refreshes = 0;
};

TEST_F(UndoManagerTest, StepsMergeByControlAndBlock) {
    Undo.RecordControlChange(&Remarks, &First);
    Undo.RecordControlChange(&Remarks, &First);
    EXPECT_EQ(Undo.Count(), 1u);
    Undo.RecordControlChange(&Remarks, &Second); // another block
    Undo.RecordControlChange(&Client, &Second);  // another control
    EXPECT_EQ(Undo.Count(), 3u);
    Undo.RecordControlChange(&Overtime, &Second);
    Undo.RecordControlChange(&Overtime, &Second); // the box is back where it was
    EXPECT_EQ(Undo.Count(), 3u);
    Undo.RecordControlChange(&Overtime, &First);
    Undo.RecordControlChange(&Overtime, &Second); // not the top one: kept
    EXPECT_EQ(Undo.Count(), 5u);
    EXPECT_EQ(Refreshes, 8);
    // A merged run keeps the oldest state.
    Undo.DiscardLast();
    Undo.DiscardLast();
    Undo.DiscardLast();
    Undo.DiscardLast();
    Undo.UndoLast();
    EXPECT_EQ(Target.Calls,
              (QStringList{QStringLiteral("clear"), QStringLiteral("block 900 one"),
                           QStringLiteral("clear"), QStringLiteral("select 900")}));
}

TEST_F(UndoManagerTest, DaySelectionsKeepTheFirstDateAndGoWithTheStepBefore) {
    Undo.RecordChange(ukCreate, &Day, &First);
    Undo.RecordDaySelection(&First, QDate(2024, 3, 1));
    Undo.RecordDaySelection(nullptr, QDate(2024, 3, 3));
    Undo.RecordDaySelection(nullptr, QDate(2024, 3, 5));
    ASSERT_EQ(Undo.Count(), 2u);
    QString caption;
    EXPECT_TRUE(Undo.UndoCaption(caption));
    EXPECT_EQ(caption, QStringLiteral("Undo day selection"));
    EXPECT_FALSE(Undo.SetLastKind(ukMove));

    // Steps offered while undoing (the calendar records its own change) are dropped.
    Target.OnSelectDate = [this] { Undo.RecordDaySelection(nullptr, QDate(2024, 3, 5)); };
    EXPECT_TRUE(Undo.UndoLast());
    EXPECT_EQ(Target.Calls,
              (QStringList{QStringLiteral("clear"), QStringLiteral("date 2024-03-01"),
                           QStringLiteral("select 900"), QStringLiteral("clear"),
                           QStringLiteral("day 1 blocks"), QStringLiteral("select 900")}));
    EXPECT_EQ(Undo.Count(), 0u);
    EXPECT_FALSE(Undo.Undoing);
}

TEST_F(UndoManagerTest, ALoneDaySelectionAtTheBottomStopsTheRun) {
    Undo.RecordDaySelection(nullptr, QDate(2024, 3, 1));
    QString caption = QStringLiteral("stale");
    EXPECT_FALSE(Undo.UndoCaption(caption));
    EXPECT_TRUE(caption.isEmpty());
    Undo.RecordChange(ukDelete, &Day, nullptr);
    Undo.RecordDaySelection(nullptr, QDate(2024, 3, 2));
    EXPECT_EQ(Undo.Count(), 3u);
    Undo.UndoLast(); // the day selection and the delete, not the first day selection
    ASSERT_EQ(Undo.Count(), 1u);
    EXPECT_EQ(Undo.LastKind(), ukDaySelection);
    EXPECT_TRUE(Undo.UndoLast()); // it can still be carried out on its own
    EXPECT_EQ(Undo.Count(), 0u);
    EXPECT_FALSE(Undo.UndoLast());
    EXPECT_EQ(Undo.LastKind(), ukNull);
}

TEST_F(UndoManagerTest, GesturesAreRelabelledAtTheirEnd) {
    Undo.BeginChange(&Day, &First);
    EXPECT_TRUE(Undo.ChangePending);
    EXPECT_EQ(Undo.LastKind(), ukDragStart);
    EXPECT_EQ(Refreshes, 0);
    Undo.EndChange(false, true);
    EXPECT_FALSE(Undo.ChangePending);
    EXPECT_EQ(Undo.LastKind(), ukDuration);
    Undo.BeginChange(&Day, &First);
    Undo.EndChange(true, true);
    EXPECT_EQ(Undo.LastKind(), ukCopy);
    Undo.BeginChange(&Day, &First);
    Undo.EndChange(false, false);
    EXPECT_EQ(Undo.LastKind(), ukMove);
    QString caption;
    Undo.UndoCaption(caption);
    EXPECT_EQ(caption, QStringLiteral("Undo move activity"));
    // A refused change is taken back without being undone.
    Undo.BeginChange(&Day, &First);
    Undo.DiscardLast();
    EXPECT_EQ(Undo.Count(), 3u);
    Undo.BeginChange(nullptr, &First); // no day: nothing to keep
    EXPECT_EQ(Undo.Count(), 3u);
}

TEST_F(UndoManagerTest, RecordingOffAndDayCopiesStayAsTheyWere) {
    Undo.Recording = false;
    Undo.RecordChange(ukCreate, &Day, &First);
    EXPECT_EQ(Undo.Count(), 0u);
    Undo.Recording = true;
    Undo.RecordChange(ukCreate, &Day, &First);
    Day.Blocks.clear(); // the day changes; the copy does not
    Undo.Recording = false;
    EXPECT_FALSE(Undo.UndoLast());
    Undo.Recording = true;
    EXPECT_TRUE(Undo.UndoLast());
    EXPECT_EQ(Target.Calls[1], QStringLiteral("day 1 blocks"));
    for (int kind : {ukNull, ukDragStart, ukCreate, ukCopy, ukDuration, ukDelete})
        EXPECT_FALSE(UndoKindCaption(kind).isEmpty());
    EXPECT_EQ(UndoKindCaption(ukCreate), QStringLiteral("create new activity"));
    EXPECT_EQ(UndoKindCaption(ukDragStart), QStringLiteral("ERROR - Drag Start"));
}
