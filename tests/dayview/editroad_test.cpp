#include "mainformtest.h"

#include "dayview/blockpalette.h"

#include <random>

#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScrollArea>

// Random sequences of every kind of edit, made through the mouse and the keys as the user
// makes them, each followed by a save point: the month read back from its file must then be
// the month in memory, and no two blocks of a day may overlap.
class DayEditRoad : public TMainFormTest,
                    public testing::WithParamInterface<std::tuple<bool, unsigned>> {
protected:
    void SetUp() override {
        TMainFormTest::SetUp();
        Open();
        PersonalSettings().Setup.SaveOnChange = std::get<0>(GetParam());
        PersonalSettings().Setup.ConfirmDeletes = false;
        auto favourite = std::make_unique<TBlock>(0, 75);
        favourite->Client = QStringLiteral("Globex");
        favourite->Project = QStringLiteral("Migration");
        favourite->Category = QStringLiteral("Meetings");
        favourite->Activity = QStringLiteral("Planning");
        favourite->Reportable = true;
        favourite->Chargeable = true;
        PersonalSettings().FavouriteBlock = std::move(favourite);
        Form->ShowFavourite();
        Form->Timeline->Clock = [this] { return Clock; };
        Form->OpenTimeReport = [] { MessageBoxShowing = false; };
        Random.seed(std::get<1>(GetParam()));
        DayBox = Form->Timeline->pbxDay;
    }

    int Pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(Random); }
    QPoint Visible(int time) const { return {Form->Timeline->View().TimeToX(time), DayBox->height() / 2}; }
    TBlock* AnyBlock() {
        const auto& blocks = CurrentDay()->Blocks;
        return blocks.empty() ? nullptr : blocks[std::size_t(Pick(0, int(blocks.size()) - 1))].get();
    }
    void SetClock(int time) { Clock = QTime(time / 100, time % 100 * 60 / 100); }

    void DropPicture() {
        TPalettePicture* picture = Form->Palette[std::size_t(Pick(0, 3))];
        const int time = Pick(0, 2350);
        Form->Timeline->ScrollToTime(time);
        const QPoint target = picture->mapFromGlobal(DayBox->mapToGlobal(Visible(time)));
        QTest::mousePress(picture, Qt::LeftButton, {}, QPoint(15, 15));
        QTest::mouseMove(picture, QPoint(15, 15 + QApplication::startDragDistance() + 1));
        QTest::mouseMove(picture, target);
        QTest::mouseRelease(picture, Qt::LeftButton, {}, target);
    }
    // Press at one time, move past the threshold and on to another, release.
    void DragBetween(int from, int to, Qt::KeyboardModifiers keys) {
        Form->Timeline->ScrollToTime((from + to) / 2);
        const QPoint press = Visible(from);
        QTest::mousePress(DayBox, Qt::LeftButton, keys, press);
        QTest::mouseMove(DayBox, press + QPoint(QApplication::startDragDistance() + 1, 0));
        QTest::mouseMove(DayBox, Visible(to));
        QTest::mouseRelease(DayBox, Qt::LeftButton, keys, Visible(to));
    }
    void DragBlock(Qt::KeyboardModifiers keys) {
        if (const TBlock* block = AnyBlock()) {
            const int middle = (block->StartTime + block->EndTime) / 2;
            DragBetween(middle, std::clamp(middle + Pick(-300, 300), 0, 2400), keys);
        }
    }
    void StretchBlock() {
        const TBlock* block = AnyBlock();
        if (!block)
            return;
        const bool end = Pick(0, 1) == 1;
        const int edge = end ? block->EndTime : block->StartTime;
        Form->Timeline->ScrollToTime(edge);
        const QPoint press = Visible(edge) + QPoint(end ? 1 : 0, 0);
        const QPoint to = Visible(std::clamp(edge + Pick(-200, 200), 0, 2400));
        QTest::mousePress(DayBox, Qt::LeftButton, {}, press);
        QTest::mouseMove(DayBox, to);
        QTest::mouseRelease(DayBox, Qt::LeftButton, {}, to);
    }
    void PressBlock() {
        if (const TBlock* block = AnyBlock())
            Press(block);
    }
    void Complete() {
        if (!Form->SelectedBlock() || !Details->cmbClient->isEnabled())
            return;
        Pick(Details->cmbClient, Pick(0, 1) ? QStringLiteral("Acme") : QStringLiteral("Globex"));
        TMainFormTest::Pick(Details->cmbCategory, QStringLiteral("Development"));
    }
    void Pick(QComboBox* box, const QString& text) { TMainFormTest::Pick(box, text); }
    void ChangeDetails() {
        if (!Form->SelectedBlock() || !Details->cmbClient->isEnabled())
            return;
        switch (Pick(0, 2)) {
        case 0:
            Complete();
            break;
        case 1:
            Details->chkOvertime->click();
            break;
        default:
            Details->edtRemarks->setFocus();
            QTest::keyClicks(Details->edtRemarks, QStringLiteral("ab"));
            break;
        }
    }
    void KeyAtClock(int key) {
        SetClock(Pick(0, 2350));
        Key(key, Qt::ControlModifier);
    }

    void RandomEdit() {
        switch (Pick(0, 13)) {
        case 0: DropPicture(); break;
        case 1: KeyAtClock(Qt::Key_F); break; // the favourite
        case 2: KeyAtClock(Qt::Key_3); break; // a new block from the keyboard
        case 3: Key(Qt::Key_C, Qt::ControlModifier); KeyAtClock(Qt::Key_V); break;
        case 4: DragBlock({}); break;
        case 5: DragBlock(Qt::ControlModifier); break;
        case 6: StretchBlock(); break;
        case 7: Key(Pick(0, 1) ? Qt::Key_Left : Qt::Key_Right, Qt::ControlModifier); break;
        case 8: Key(Qt::Key_Delete, Qt::ControlModifier); break;
        case 9: ChangeDetails(); break;
        case 10: Key(Qt::Key_Z, Qt::ControlModifier); break;
        case 11: Key(Qt::Key_X, Qt::ControlModifier); break;
        case 12: Complete(); break;
        default: PressBlock(); break;
        }
    }
    // One of the save points; those that leave the block first need it complete.
    void SavePoint() {
        const bool complete = Details->IsEntryComplete();
        switch (complete ? Pick(0, 3) : 0) {
        case 0:
            Q_EMIT qApp->applicationStateChanged(Qt::ApplicationInactive);
            break;
        case 1:
            Form->Calendar->SetDate(Day.addDays(1));
            Form->Calendar->SetDate(Day);
            break;
        case 2:
            Form->pnlSearch->btnFind->click();
            break;
        default:
            Form->btnSummary->click();
            break;
        }
    }

    static QStringList BlockTexts(const TDay& day) {
        QStringList texts;
        for (const auto& block : day.Blocks)
            texts.append(QStringLiteral("%1-%2 %3/%4 %5/%6 [%7] %8%9%10")
                             .arg(block->StartTime, 4, 10, QLatin1Char('0'))
                             .arg(block->EndTime)
                             .arg(block->Client, block->Project, block->Category,
                                  block->Activity, block->Remarks)
                             .arg(int(block->OverTime))
                             .arg(int(block->Reportable))
                             .arg(int(block->Chargeable)));
        texts.sort();
        return texts;
    }
    static QString Overlap(const TDay& day) {
        std::vector<std::pair<int, int>> spans;
        for (const auto& block : day.Blocks)
            spans.emplace_back(block->StartTime, block->EndTime);
        std::sort(spans.begin(), spans.end());
        for (std::size_t i = 1; i < spans.size(); ++i)
            if (spans[i].first < spans[i - 1].second)
                return QStringLiteral("%1-%2 overlaps %3-%4")
                    .arg(spans[i - 1].first)
                    .arg(spans[i - 1].second)
                    .arg(spans[i].first)
                    .arg(spans[i].second);
        return {};
    }
    // The month as its file has it against the month in memory, day by day.
    void ExpectFileAsMemory(int step) {
        const TMonth file(2024, 3, {}, TMonthUse::Read);
        const TMonth* memory = Form->LoadedMonth();
        ASSERT_NE(memory, nullptr);
        for (const auto& day : memory->Days) {
            const TDay* read = file.DayByDate(day->Date);
            ASSERT_NE(read, nullptr);
            ASSERT_EQ(BlockTexts(*read), BlockTexts(*day))
                << "step " << step << ", " << day->Date.toString(Qt::ISODate).toStdString();
            ASSERT_EQ(Overlap(*day), QString()) << "step " << step;
        }
    }

    std::mt19937 Random;
    QTime Clock{12, 0};
    QWidget* DayBox = nullptr;
};

TEST_P(DayEditRoad, TheFileAlwaysHoldsWhatTheTimelineShows) {
    for (int step = 0; step < 60; ++step) {
        RandomEdit();
        SavePoint();
        ExpectFileAsMemory(step);
        if (HasFatalFailure())
            return;
    }
}

INSTANTIATE_TEST_SUITE_P(SaveOnChangeAndSeeds, DayEditRoad,
                         testing::Combine(testing::Bool(), testing::Values(1u, 2u, 3u, 4u)));

// The faults the random sequences found first, one by one.
class DayEditRoadCases : public TMainFormTest {
protected:
    void SetUp() override {
        TMainFormTest::SetUp();
        PersonalSettings().Setup.ConfirmDeletes = false;
    }
    void SetFavourite(int start, int end) {
        auto favourite = std::make_unique<TBlock>(start, end);
        favourite->Client = QStringLiteral("Acme");
        favourite->Project = QStringLiteral("Support");
        favourite->Category = QStringLiteral("Meetings");
        favourite->Activity = QStringLiteral("Planning");
        favourite->Reportable = true;
        favourite->Chargeable = true;
        PersonalSettings().FavouriteBlock = std::move(favourite);
        Form->ShowFavourite();
    }
    double FileHours() const {
        const TMonth file(2024, 3, {}, TMonthUse::Read);
        return file.DayByDate(Day)->ReportableHours();
    }
    QString FileSpans() const {
        const TMonth file(2024, 3, {}, TMonthUse::Read);
        QStringList spans;
        for (const auto& block : file.DayByDate(Day)->Blocks)
            spans.append(QStringLiteral("%1-%2 %3").arg(block->StartTime).arg(block->EndTime).arg(
                block->Client));
        spans.sort();
        return spans.join(QStringLiteral(", "));
    }
    void Favourite(int time) {
        Form->Timeline->Clock = [time] { return QTime(time / 100, time % 100 * 60 / 100); };
        Key(Qt::Key_F, Qt::ControlModifier);
    }
};

TEST_F(DayEditRoadCases, AFavouriteOverRecordedTimeIsSavedAsTheTimelineShowsIt) {
    for (const bool saveOnChange : {true, false}) {
        PersonalSettings().Setup.SaveOnChange = saveOnChange;
        Open();
        SetFavourite(0, 75);
        Favourite(950); // 09:30-10:15 over the end of 9-10 and the start of 10-12
        EXPECT_DOUBLE_EQ(Form->Timeline->DayHours(), 3.0);
        if (!saveOnChange) {
            EXPECT_EQ(FileSpans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));
            Form->Calendar->SetDate(Day.addDays(1));
        }
        EXPECT_EQ(FileSpans(), QStringLiteral("1025-1200 Globex, 900-950 Acme, 950-1025 Acme"));
        EXPECT_DOUBLE_EQ(FileHours(), 3.0);
        Form.reset();
    }
}

TEST_F(DayEditRoadCases, CutsOfAnIncompleteBlockReachTheFile) {
    PersonalSettings().Setup.SaveOnChange = false;
    Open();
    Form->Timeline->Clock = [] { return QTime(9, 45); };
    Key(Qt::Key_3, Qt::ControlModifier);
    ASSERT_FALSE(Form->SelectedBlock()->IsComplete());
    Q_EMIT qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(FileSpans(), QStringLiteral("1025-1200 Globex, 900-975 Acme, 975-1025 "));
}

TEST_F(DayEditRoadCases, DeletingAnIncompleteBlockOnClosingTakesBackItsCuts) {
    PersonalSettings().Setup.SaveOnChange = true;
    Open();
    Form->Timeline->Clock = [] { return QTime(9, 45); };
    Key(Qt::Key_3, Qt::ControlModifier); // 09:45-10:15, incomplete, cuts both blocks
    EXPECT_EQ(FileSpans(), QStringLiteral("1025-1200 Globex, 900-975 Acme, 975-1025 "));
    Messages->Answer = mrOk;
    EXPECT_TRUE(Form->close());
    EXPECT_EQ(FileSpans(), QStringLiteral("1000-1200 Globex, 900-1000 Acme"));
}

TEST_F(DayEditRoadCases, AnEdgeClickedWithoutMovingLeavesNoUndoStep) {
    Open();
    Press(BlockAt(0));
    const std::size_t steps = Form->UndoManager().Count();
    const QPoint edge(Form->Timeline->View().TimeToX(1000), Form->Timeline->pbxDay->height() / 2);
    QTest::mousePress(Form->Timeline->pbxDay, Qt::LeftButton, {}, edge);
    QTest::mouseRelease(Form->Timeline->pbxDay, Qt::LeftButton, {}, edge);
    EXPECT_EQ(Form->UndoManager().Count(), steps);
    EXPECT_FALSE(Form->btnUndo->isEnabled());
    // A real stretch still leaves its step.
    const QPoint later(Form->Timeline->View().TimeToX(1100), edge.y());
    QTest::mousePress(Form->Timeline->pbxDay, Qt::LeftButton, {}, edge);
    QTest::mouseMove(Form->Timeline->pbxDay, later);
    QTest::mouseRelease(Form->Timeline->pbxDay, Qt::LeftButton, {}, later);
    EXPECT_EQ(Form->UndoManager().LastKind(), ukDuration);
}

TEST_F(DayEditRoadCases, AFailingSaveIsReportedOnceAndKeepsWhatIsTyped) {
    PersonalSettings().Setup.SaveOnChange = true;
    Open();
    Press(BlockAt(0));
    // A folder where the month file should be: every write of it fails.
    QFile::remove(MonthFile());
    ASSERT_TRUE(QDir().mkdir(MonthFile()));
    Messages->Shown.clear();
    Details->edtRemarks->setFocus();
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("twenty-one characters"));
    EXPECT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(BlockAt(0)->Remarks, QStringLiteral("twenty-one characters"));
    // Once a save succeeds, the next failure is reported again.
    ASSERT_TRUE(QDir().rmdir(MonthFile()));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("!"));
    EXPECT_TRUE(FileBytes().contains("twenty-one characters!"));
    QFile::remove(MonthFile());
    ASSERT_TRUE(QDir().mkdir(MonthFile()));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("??"));
    EXPECT_EQ(Messages->Shown.size(), 2u);
    // Closing then asks whether to lose the changes, with No as the default answer.
    Messages->Answer = mrNo;
    EXPECT_FALSE(Form->close());
    EXPECT_TRUE(Messages->Shown.back().Buttons & mbDefaultNo);
    ASSERT_TRUE(QDir().rmdir(MonthFile()));
}
