#include "calendar/colornumber.h"
#include "calendar/graphiccalendar.h"
#include "setup/setupcalendarform.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"
#include "widgets/colorbutton.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

class SetupCalendarForm : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        AdminSettings() = TAdminSettings{};
        Pictures = MakeFolder(QStringLiteral("Pictures"));
        TSetupCalendarForm::ChoosePictureFile = [this](QWidget*, const QString& folder) {
            ++Choices;
            ChoiceFolder = folder;
            return Chosen;
        };
        Form = std::make_unique<TSetupCalendarForm>();
    }
    void TearDown() override {
        Form.reset();
        TSetupCalendarForm::ChoosePictureFile = nullptr;
        TColorButton::RunDialog = nullptr;
        AdminSettings() = TAdminSettings{};
        TTempFolderTest::TearDown();
    }
    QString WritePicture(const QString& name) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        picture.save(Pictures + name);
        return Pictures + name;
    }
    // Prepares the window as Execute does and shows it without a modal loop.
    void Start() {
        Form->Start(Setup, &Custom);
        Form->show();
    }
    // A click on a push button's middle, or on the mark of a check box or radio button.
    static void Click(QAbstractButton* button) {
        const QPoint where = qobject_cast<QPushButton*>(button) ? button->rect().center()
                                                                : QPoint(6, button->height() / 2);
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, where);
    }
    const TCalendarSetup& Working() const { return Form->WorkingCopy(); }

    std::unique_ptr<TSetupCalendarForm> Form;
    TCalendarSetup Setup;
    QList<QColor> Custom = TColorButton::DialogCustomColours();
    QString Pictures;
    QString Chosen;
    QString ChoiceFolder;
    int Choices = 0;
};

TEST_F(SetupCalendarForm, ShowsTheSettingsInItsControlsAndOnThePreview) {
    Setup.TitleEffect = 1;
    Setup.TextEffect = 2;
    Setup.FitType = 2;
    Setup.PictureChangeType = 1;
    Setup.SelectionStyle = ssCircle | ssDot | ssFill;
    Setup.MarkDays = 2;
    Setup.TitleBackground = NumberOfColor(QColor(200, 10, 10));
    AdminSettings().FirstDayOfWeek = 7; // Sunday
    Start();
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Calendar Appearance"));
    EXPECT_TRUE(Form->rbTitleShadow->isChecked());
    EXPECT_TRUE(Form->rbMonthCutOut->isChecked());
    EXPECT_TRUE(Form->rbStretch->isChecked());
    EXPECT_TRUE(Form->rbChangeMonthly->isChecked());
    EXPECT_TRUE(Form->rbCircle->isChecked());
    EXPECT_TRUE(Form->chkDotLine->isChecked());
    EXPECT_TRUE(Form->chkFill->isChecked());
    EXPECT_FALSE(Form->chkSolidline->isChecked());
    EXPECT_TRUE(Form->chkMarkDays->isChecked());
    EXPECT_TRUE(Form->rbGraphic->isChecked());
    EXPECT_FALSE(Form->chkShowPictures->isChecked());
    EXPECT_EQ(Form->colorBtnTitle->Color(), QColor(200, 10, 10));
    EXPECT_EQ(Form->Calendar->TitleTextEffect(), etShadow);
    EXPECT_EQ(Form->Calendar->SelectionStyle(), ssCircle | ssDot | ssFill);
    EXPECT_EQ(Form->Calendar->StartOfWeek(), 0);
    EXPECT_TRUE(Form->Calendar->IsMarked(3));
    EXPECT_TRUE(Form->Calendar->IsMarked(5));
    EXPECT_FALSE(Form->Calendar->IsMarked(4));
    EXPECT_EQ(Working(), Setup);
    // Every colour button shares the custom colours.
    for (TColorButton* button : Form->findChildren<TColorButton*>())
        EXPECT_EQ(button->CustomColours, &Custom) << button->objectName().toStdString();
}

TEST_F(SetupCalendarForm, PictureAndMarkDayControlsFollowTheirBoxes) {
    Setup.MarkDays = 0;
    Start();
    for (QWidget* control : std::initializer_list<QWidget*>{
             Form->btnBrowse, Form->rbBestAspect, Form->rbFitAspect, Form->rbStretch,
             Form->rbChangeDaily, Form->rbChangeMonthly, Form->rbDontChange, Form->rbText,
             Form->rbGraphic, Form->colorBtnDayMarkerText, Form->colorBtnDayMarkerLine,
             Form->colorBtnDayMarkerFill})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();

    // Ticking "Mark days" with neither kind chosen chooses "Text".
    Click(Form->chkMarkDays);
    EXPECT_TRUE(Form->rbText->isChecked());
    EXPECT_EQ(Working().MarkDays, 1);
    EXPECT_EQ(Form->Calendar->MarkDays(), mdText);
    EXPECT_TRUE(Form->colorBtnDayMarkerText->isEnabled());
    EXPECT_FALSE(Form->colorBtnDayMarkerLine->isEnabled());
    Click(Form->rbGraphic);
    EXPECT_EQ(Working().MarkDays, 2);
    EXPECT_EQ(Form->Calendar->MarkDays(), mdGraphic);
    EXPECT_FALSE(Form->colorBtnDayMarkerText->isEnabled());
    EXPECT_TRUE(Form->colorBtnDayMarkerLine->isEnabled());
    EXPECT_TRUE(Form->colorBtnDayMarkerFill->isEnabled());
    // The other groups' choices stay as they were.
    EXPECT_TRUE(Form->rbMonthNone->isChecked());
    EXPECT_TRUE(Form->rbBestAspect->isChecked());
    EXPECT_TRUE(Form->rbDontChange->isChecked());
    EXPECT_TRUE(Form->rbCell->isChecked());
    Click(Form->chkMarkDays);
    EXPECT_EQ(Working().MarkDays, 0);
    EXPECT_EQ(Form->Calendar->MarkDays(), mdNone);
    EXPECT_FALSE(Form->rbGraphic->isEnabled());
    EXPECT_FALSE(Form->colorBtnDayMarkerFill->isEnabled());
}

TEST_F(SetupCalendarForm, TheOnlyTickedOfSolidDottedAndFilledCannotBeUnticked) {
    Setup.SelectionStyle = ssLine;
    Start();
    EXPECT_FALSE(Form->chkSolidline->isEnabled());
    EXPECT_TRUE(Form->chkDotLine->isEnabled());
    EXPECT_TRUE(Form->chkFill->isEnabled());
    Click(Form->chkSolidline); // disabled: nothing happens
    EXPECT_TRUE(Form->chkSolidline->isChecked());
    EXPECT_EQ(Working().SelectionStyle, ssLine);

    Click(Form->chkFill);
    EXPECT_TRUE(Form->chkSolidline->isEnabled());
    EXPECT_TRUE(Form->chkFill->isEnabled());
    EXPECT_EQ(Working().SelectionStyle, ssLine | ssFill);
    // Dotted and Solid exclude each other.
    Click(Form->chkDotLine);
    EXPECT_FALSE(Form->chkSolidline->isChecked());
    EXPECT_EQ(Working().SelectionStyle, ssDot | ssFill);
    Click(Form->chkFill);
    EXPECT_FALSE(Form->chkDotLine->isEnabled());
    EXPECT_EQ(Working().SelectionStyle, ssDot);
    EXPECT_EQ(Form->Calendar->SelectionStyle(), ssDot);

    Click(Form->rbSquare);
    EXPECT_EQ(Working().SelectionStyle, ssDot | ssSquare);
    Click(Form->rbCircle);
    EXPECT_EQ(Working().SelectionStyle, ssDot | ssCircle);
    Click(Form->rbCell);
    EXPECT_EQ(Working().SelectionStyle, ssDot);
    EXPECT_EQ(Form->Calendar->SelectionStyle(), ssDot);
}

TEST_F(SetupCalendarForm, TheFirstPictureChosenSetsCutOutText) {
    Chosen = WritePicture(QStringLiteral("Beach.jpg"));
    Start();
    ASSERT_TRUE(Form->rbMonthNone->isChecked());
    Click(Form->chkShowPictures);
    EXPECT_EQ(Choices, 1);
    EXPECT_EQ(ChoiceFolder, QDir::homePath()); // no folder yet
    EXPECT_TRUE(Working().ShowPictures);
    EXPECT_EQ(Working().PicturePath, Pictures);
    EXPECT_EQ(Working().LastPictureName, QStringLiteral("Beach.jpg")); // its case kept
    EXPECT_TRUE(Form->rbMonthCutOut->isChecked());
    EXPECT_EQ(Working().TextEffect, 2);
    EXPECT_EQ(Form->Calendar->CalendarTextEffect(), etCutout);
    EXPECT_TRUE(Form->Calendar->ShowPicture());
    EXPECT_TRUE(Form->btnBrowse->isEnabled());
    EXPECT_TRUE(Form->txtPictureSource->text().endsWith(QStringLiteral("/Beach.jpg")));

    // Off and on again: the picture exists, so no question and no change of style.
    Click(Form->rbMonthShadow);
    Click(Form->chkShowPictures);
    EXPECT_FALSE(Form->Calendar->ShowPicture());
    EXPECT_FALSE(Form->btnBrowse->isEnabled());
    Click(Form->chkShowPictures);
    EXPECT_EQ(Choices, 1);
    EXPECT_EQ(Working().TextEffect, 1);
    EXPECT_TRUE(Form->Calendar->ShowPicture());
}

TEST_F(SetupCalendarForm, APictureDialogLeftWithoutChoiceChangesNoStyle) {
    Start();
    Click(Form->chkShowPictures);
    EXPECT_EQ(Choices, 1);
    EXPECT_TRUE(Working().ShowPictures);
    EXPECT_TRUE(Working().LastPictureName.isEmpty());
    EXPECT_EQ(Working().TextEffect, 0);
    EXPECT_FALSE(Form->Calendar->ShowPicture());
}

TEST_F(SetupCalendarForm, BrowseChoosesAnotherPictureAndKeepsTheTextStyle) {
    WritePicture(QStringLiteral("a.jpg"));
    Setup.ShowPictures = true;
    Setup.PicturePath = Pictures;
    Setup.LastPictureName = QStringLiteral("a.jpg");
    Setup.PictureChangeType = 2;
    Start();
    EXPECT_TRUE(Form->Calendar->ShowPicture());
    const QString other = MakeFolder(QStringLiteral("More"));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(other + QStringLiteral("b.bmp")));
    Chosen = other + QStringLiteral("b.bmp");
    Click(Form->btnBrowse);
    EXPECT_EQ(ChoiceFolder, Pictures);
    EXPECT_EQ(Working().PicturePath, other);
    EXPECT_EQ(Working().LastPictureName, QStringLiteral("b.bmp"));
    EXPECT_EQ(Working().TextEffect, 0);
    EXPECT_EQ(Form->Calendar->Picture().pixelColor(4, 4), QColor(Qt::blue));
    // The change buttons do not touch the preview.
    Click(Form->rbDontChange);
    EXPECT_EQ(Working().PictureChangeType, 0);
    Click(Form->rbStretch);
    EXPECT_EQ(Working().FitType, 2);
    EXPECT_EQ(Form->Calendar->PictureFitType(), ftStretch);
}

TEST_F(SetupCalendarForm, ALongPathIsShownWithItsLastFoldersAsDots) {
    const QString deep = MakeFolder(QStringLiteral(
        "holidays/two thousand and twenty four/the long summer by the sea/second week"));
    Setup.PicturePath = deep;
    Setup.LastPictureName = QStringLiteral("sunset over the harbour.jpg");
    Start();
    const QString shown = Form->txtPictureSource->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("/.../"))) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("/sunset over the harbour.jpg")));
    EXPECT_TRUE(shown.startsWith(Temp.path().left(5)));
    EXPECT_LT(Form->txtPictureSource->fontMetrics().horizontalAdvance(shown),
              Form->txtPictureSource->width());
}

TEST_F(SetupCalendarForm, OkAsksWhenThePictureIsMissingAndCopiesBack) {
    Setup.ShowPictures = true;
    Setup.PicturePath = Pictures;
    Setup.LastPictureName = QStringLiteral("gone.jpg");
    const TCalendarSetup before = Setup;
    Start();
    Click(Form->rbTitleCutOut);
    Messages->Answer = mrNo;
    Click(Form->btnOK);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QStringLiteral("The selected image file cannot be found - if an image is not "
                             "available, the background colour may be used. Do you wish to "
                             "continue?"));
    EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Warning);
    EXPECT_EQ(Messages->Shown[0].Buttons, mbYesNo);
    EXPECT_EQ(Setup, before);
    EXPECT_NE(Form->result(), QDialog::Accepted);

    Messages->Answer = mrYes;
    Click(Form->btnOK);
    EXPECT_EQ(Form->result(), QDialog::Accepted);
    EXPECT_EQ(Setup.TitleEffect, 2);
}

TEST_F(SetupCalendarForm, OkWithAnExistingPictureAsksNothingAndCancelKeepsTheSettings) {
    WritePicture(QStringLiteral("a.jpg"));
    Setup.ShowPictures = true;
    Setup.PicturePath = Pictures;
    Setup.LastPictureName = QStringLiteral("a.jpg");
    const TCalendarSetup before = Setup;
    Start();
    Click(Form->rbMonthShadow);
    Click(Form->btnCancel);
    EXPECT_EQ(Form->result(), QDialog::Rejected);
    EXPECT_EQ(Setup, before);
    Start();
    Click(Form->rbMonthShadow);
    Click(Form->btnOK);
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_EQ(Setup.TextEffect, 1);
}

TEST_F(SetupCalendarForm, ColourButtonsChangeTheWorkingCopyAndThePreview) {
    Start();
    TColorButton::RunDialog = [](QColorDialog& dialog) {
        dialog.setCurrentColor(QColor(1, 2, 250));
        return int(QDialog::Accepted);
    };
    const struct {
        TColorButton* Button;
        int TCalendarSetup::*Field;
        int (TGraphicCalendar::*Shown)() const;
    } cases[] = {
        {Form->colorBtnTitle, &TCalendarSetup::TitleBackground, &TGraphicCalendar::TitleBackground},
        {Form->colorBtnBackground, &TCalendarSetup::Background, &TGraphicCalendar::Color},
        {Form->colorBtnLine, &TCalendarSetup::LineColor, &TGraphicCalendar::LineColor},
        {Form->colorBtnSelection, &TCalendarSetup::SelectionBackground,
         &TGraphicCalendar::SelectionBackground},
        {Form->colorBtnDayMarkerFill, &TCalendarSetup::DayMarkerFill,
         &TGraphicCalendar::DayMarkerFill},
        {Form->colorBtnDayMarkerLine, &TCalendarSetup::DayMarkerLine,
         &TGraphicCalendar::DayMarkerLine},
        {Form->colorBtnDayMarkerText, &TCalendarSetup::DayMarkerText,
         &TGraphicCalendar::DayMarkerText},
    };
    const int blue = NumberOfColor(QColor(1, 2, 250));
    for (const auto& c : cases) {
        c.Button->ChooseColor();
        EXPECT_EQ(Working().*c.Field, blue) << c.Button->objectName().toStdString();
        EXPECT_EQ((Form->Calendar->*c.Shown)(), blue) << c.Button->objectName().toStdString();
    }
}

TEST_F(SetupCalendarForm, HintsFollowTheSetting) {
    PersonalSettings().Setup.ShowHints = true;
    Start();
    EXPECT_EQ(Form->rbStretch->toolTip(),
              QStringLiteral("The picture is stretched to fit the calendar (but aspect ration "
                             "may be distorted)"));
    EXPECT_EQ(Form->btnHelp->toolTip(), QStringLiteral("Help"));
    PersonalSettings().Setup.ShowHints = false;
    Start();
    EXPECT_TRUE(Form->rbStretch->toolTip().isEmpty());
    EXPECT_TRUE(Form->colorBtnTitle->toolTip().isEmpty());
    EXPECT_FALSE(Form->colorBtnTitle->accessibleName().isEmpty());
}
