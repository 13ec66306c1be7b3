#include "widgets/colorbutton.h"

#include <functional>

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QColorDialog>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {
// Sixteen custom colours, the first blue, the rest shades of grey.
QList<QColor> SampleCustomColours() {
    QList<QColor> colours;
    colours.append(Qt::blue);
    for (int i = 1; i < QColorDialog::customCount(); ++i)
        colours.append(QColor(i * 10, i * 10, i * 10));
    return colours;
}

// A mouse move with the left button held, as a drag over the button sends it.
void DragTo(QWidget* widget, QPoint position) {
    QMouseEvent move(QEvent::MouseMove, QPointF(position), widget->mapToGlobal(QPointF(position)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

// What the dialog saw when it opened, and how it answers.
struct TDialogAnswer {
    int Opened = 0;
    QColor StartColour;
    QColor FirstCustom;
    bool LoweredWhileOpen = true;
    QColor Pick;
    QColor NewSecondCustom;
    int Result = QDialog::Accepted;
};
} // namespace

class ColorButton : public ::testing::Test {
protected:
    void SetUp() override {
        Button = std::make_unique<TColorButton>();
        Button->resize(40, 20);
        Button->SetColor(Qt::red);
        Custom = SampleCustomColours();
        Button->CustomColours = &Custom;
        TColorButton::RunDialog = [this](QColorDialog& dialog) {
            ++Answer.Opened;
            Answer.StartColour = dialog.currentColor();
            Answer.FirstCustom = QColorDialog::customColor(0);
            Answer.LoweredWhileOpen = Button->IsLowered();
            if (Answer.Pick.isValid())
                dialog.setCurrentColor(Answer.Pick);
            if (Answer.NewSecondCustom.isValid())
                QColorDialog::setCustomColor(1, Answer.NewSecondCustom);
            return Answer.Result;
        };
    }
    void TearDown() override {
        TColorButton::RunDialog = nullptr;
        Button.reset();
    }
    void Click() {
        QTest::mousePress(Button.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QTest::mouseRelease(Button.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    }

    std::unique_ptr<TColorButton> Button;
    QList<QColor> Custom;
    TDialogAnswer Answer;
};

TEST_F(ColorButton, PressLowersAndMovingOutsideRaisesUntilTheButtonIsEnteredAgain) {
    QTest::mousePress(Button.get(), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_TRUE(Button->IsLowered());
    EXPECT_EQ(Button->frameShadow(), QFrame::Sunken);
    DragTo(Button.get(), QPoint(60, 10));
    EXPECT_FALSE(Button->IsLowered());
    EXPECT_EQ(Button->frameShadow(), QFrame::Raised);
    DragTo(Button.get(), QPoint(12, 8));
    EXPECT_TRUE(Button->IsLowered());
    DragTo(Button.get(), QPoint(-3, 8));
    // Released outside, with the bevel raised: no dialog.
    QTest::mouseRelease(Button.get(), Qt::LeftButton, Qt::NoModifier, QPoint(-3, 8));
    EXPECT_FALSE(Button->IsLowered());
    EXPECT_EQ(Answer.Opened, 0);
}

TEST_F(ColorButton, ReleaseOpensTheDialogOnTheColourAndTakesTheNewColourAndCustomColours) {
    QSignalSpy changed(Button.get(), &TColorButton::OnColorChange);
    Answer.Pick = Qt::green;
    Answer.NewSecondCustom = QColor(Qt::yellow);
    Click();
    EXPECT_EQ(Answer.Opened, 1);
    EXPECT_FALSE(Answer.LoweredWhileOpen); // the bevel is raised before the dialog opens
    EXPECT_EQ(Answer.StartColour, QColor(Qt::red));
    EXPECT_EQ(Answer.FirstCustom, QColor(Qt::blue)); // the shared colours reach the dialog
    EXPECT_EQ(Button->Color(), QColor(Qt::green));
    EXPECT_EQ(changed.count(), 1);
    ASSERT_EQ(Custom.size(), QColorDialog::customCount());
    EXPECT_EQ(Custom[0], QColor(Qt::blue));
    EXPECT_EQ(Custom[1], QColor(Qt::yellow));
}

TEST_F(ColorButton, CancellingChangesNeitherTheColourNorTheCustomColours) {
    QSignalSpy changed(Button.get(), &TColorButton::OnColorChange);
    Answer.Pick = Qt::green;
    Answer.NewSecondCustom = QColor(Qt::yellow);
    Answer.Result = QDialog::Rejected;
    Click();
    EXPECT_EQ(Answer.Opened, 1);
    EXPECT_EQ(Button->Color(), QColor(Qt::red));
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(Custom, SampleCustomColours());
}

TEST_F(ColorButton, ConfirmingTheSameColourKeepsTheCustomColoursButAnnouncesNothing) {
    QSignalSpy changed(Button.get(), &TColorButton::OnColorChange);
    Answer.NewSecondCustom = QColor(Qt::cyan);
    Click();
    EXPECT_EQ(changed.count(), 0);
    EXPECT_EQ(Custom[1], QColor(Qt::cyan));
}

TEST_F(ColorButton, OtherButtonsAndNoCustomColoursAreHandled) {
    QTest::mouseClick(Button.get(), Qt::RightButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(Answer.Opened, 0);
    EXPECT_FALSE(Button->IsLowered());
    Button->CustomColours = nullptr;
    Answer.Pick = Qt::magenta;
    Click();
    EXPECT_EQ(Button->Color(), QColor(Qt::magenta));
}

TEST_F(ColorButton, TheKeyboardOpensTheDialogToo) {
    Answer.Pick = Qt::darkBlue;
    QTest::keyClick(Button.get(), Qt::Key_Space);
    EXPECT_EQ(Answer.Opened, 1);
    EXPECT_EQ(Button->Color(), QColor(Qt::darkBlue));
}

TEST_F(ColorButton, AssistiveTechnologySeesAButtonNamedByItsHintWithItsColourAsValue) {
    Button->setToolTip(QStringLiteral("Colour of the title background"));
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(Button.get());
    ASSERT_NE(face, nullptr);
    EXPECT_EQ(face->role(), QAccessible::Button);
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Colour of the title background"));
    EXPECT_EQ(face->text(QAccessible::Value), QStringLiteral("red 255, green 0, blue 0"));
    Button->setAccessibleName(QStringLiteral("Title colour"));
    EXPECT_EQ(face->text(QAccessible::Name), QStringLiteral("Title colour"));

    QAccessibleActionInterface* actions = face->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    Answer.Pick = QColor(0, 128, 255);
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Answer.Opened, 1);
    EXPECT_EQ(face->text(QAccessible::Value), QStringLiteral("red 0, green 128, blue 255"));
}

TEST_F(ColorButton, PaintsItsColourInsideTheBevelAndItsCaptionReadably) {
    Button->resize(60, 24);
    Button->SetColor(QColor(20, 20, 120));
    const auto whiteInside = [this] {
        const QImage image = Button->grab().toImage();
        const qreal ratio = image.devicePixelRatio();
        const QRect inside = Button->contentsRect();
        int count = 0;
        for (int y = int(inside.top() * ratio); y < int((inside.bottom() + 1) * ratio); ++y)
            for (int x = int(inside.left() * ratio); x < int((inside.right() + 1) * ratio); ++x)
                count += image.pixelColor(x, y) == QColor(Qt::white) ? 1 : 0;
        return count;
    };
    const QImage plain = Button->grab().toImage();
    const qreal ratio = plain.devicePixelRatio();
    EXPECT_EQ(plain.pixelColor(QPoint(int(30 * ratio), int(12 * ratio))), QColor(20, 20, 120));
    EXPECT_EQ(whiteInside(), 0);
    Button->SetCaption(QStringLiteral("Fill"));
    EXPECT_GT(whiteInside(), 0); // light text on a dark colour
}
