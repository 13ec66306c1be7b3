#include "setupcalendarform.h"

#include "base/fileutils.h"
#include "base/help.h"
#include "base/messages.h"
#include "calendar/calendarappearance.h"
#include "calendar/colornumber.h"
#include "calendar/graphiccalendar.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/settings/windowgeometry.h"
#include "widgets/colorbutton.h"

#include <algorithm>
#include <array>

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

std::function<QString(QWidget* parent, const QString& folder)>
    TSetupCalendarForm::ChoosePictureFile;

namespace {
// Sizes and places at 96 pixels per inch.
constexpr int ClientWidth = 449;
constexpr int ClientHeight = 455;
constexpr int RowHeight = 17;
constexpr int ColorWidth = 44;
constexpr int ColorHeight = 21;

const QString HelpTopic =
    QStringLiteral("Getting Started - Personal Preferences - Calendar Appearance.htm");
const QString MissingPictureQuestion = QStringLiteral(
    "The selected image file cannot be found - if an image is not available, the background "
    "colour may be used. Do you wish to continue?");

void Place(QWidget* control, int left, int top, int width, int height) {
    const int ppi = control->logicalDpiX();
    control->setGeometry(ScaleToScreen(left, ppi), ScaleToScreen(top, ppi),
                         ScaleToScreen(width, ppi), ScaleToScreen(height, ppi));
}

// The hint of a control, kept so that it can be shown or hidden with the hints setting.
void SetHint(QWidget* control, const char* hint) {
    control->setProperty("hint", QString::fromUtf8(hint));
}

template <typename TControl>
TControl* New(QWidget* parent, const char* name, const QString& caption, const char* hint = "") {
    auto* control = new TControl(caption, parent);
    control->setObjectName(QString::fromLatin1(name));
    SetHint(control, hint);
    return control;
}

QGroupBox* NewGroup(QWidget* parent, const char* name, const char* caption) {
    return New<QGroupBox>(parent, name, QString::fromLatin1(caption));
}

TColorButton* NewColorButton(QWidget* parent, const char* name, const char* caption,
                             const char* hint) {
    auto* button = new TColorButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->SetCaption(QString::fromLatin1(caption));
    // Assistive technology reads the hint as the button's name, whether hints show or not.
    button->setAccessibleName(QString::fromUtf8(hint));
    SetHint(button, hint);
    return button;
}

template <typename TButton>
void PlaceRows(const QList<TButton*>& buttons, int left, int top, int width) {
    for (TButton* button : buttons) {
        Place(button, left, top, width, RowHeight);
        top += RowHeight + 1;
    }
}
} // namespace

TSetupCalendarForm::TSetupCalendarForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetupCalendarForm"));
    setWindowTitle(QStringLiteral("Calendar Appearance"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const int ppi = logicalDpiX();
    setFixedSize(ScaleToScreen(ClientWidth, ppi), ScaleToScreen(ClientHeight, ppi));
    CreateControls();
    ConnectHandlers();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TSetupCalendarForm::CreateControls() {
    pnlCalendar = new QFrame(this);
    pnlCalendar->setObjectName(QStringLiteral("pnlCalendar"));
    pnlCalendar->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    pnlCalendar->setLineWidth(1);
    Place(pnlCalendar, 10, 10, 155, 133);
    Calendar = new TGraphicCalendar(pnlCalendar);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Place(Calendar, 1, 1, 153, 131);
    CreateTitleGroup();
    CreateMonthGroup();
    CreateSelectionGroup();
    CreateButtons();
}

void TSetupCalendarForm::CreateTitleGroup() {
    gbxTitle = NewGroup(this, "gbxTitle", "Title");
    Place(gbxTitle, 176, 6, 263, 137);
    auto* label = New<QLabel>(gbxTitle, "lblTitleBackground", QStringLiteral("Background"));
    Place(label, 12, 26, 70, RowHeight);
    colorBtnTitle = NewColorButton(gbxTitle, "colorBtnTitle", "", "Colour of the title background");
    Place(colorBtnTitle, 90, 24, ColorWidth, ColorHeight);
    label->setBuddy(colorBtnTitle);
    QGroupBox* style = NewGroup(gbxTitle, "gbxTitleStyle", " Text Style ");
    Place(style, 12, 52, 239, 74);
    rbTitleNone = New<QRadioButton>(style, "rbTitleNone", QStringLiteral("None"),
                                    "Title text is displayed without styling");
    rbTitleShadow = New<QRadioButton>(style, "rbTitleShadow", QStringLiteral("Shadow"),
                                      "Title text is displayed with a drop shadow");
    rbTitleCutOut = New<QRadioButton>(style, "rbTitleCutOut", QStringLiteral("Cut out"),
                                      "Title text is displayed with a white outline");
    PlaceRows<QRadioButton>({rbTitleNone, rbTitleShadow, rbTitleCutOut}, 10, 18, 200);
}

void TSetupCalendarForm::CreateMonthGroup() {
    gbxMonth = NewGroup(this, "gbxMonth", "Month");
    Place(gbxMonth, 10, 150, 429, 186);
    auto* label = New<QLabel>(gbxMonth, "lblMonthBackground", QStringLiteral("Background"));
    Place(label, 12, 26, 70, RowHeight);
    colorBtnBackground = NewColorButton(gbxMonth, "colorBtnBackground", "",
                                        "Click to change the colour used for the calendar "
                                        "background");
    Place(colorBtnBackground, 90, 24, ColorWidth, ColorHeight);
    label->setBuddy(colorBtnBackground);
    QGroupBox* style = NewGroup(gbxMonth, "gbxMonthStyle", " Text Style ");
    Place(style, 12, 52, 128, 74);
    rbMonthNone = New<QRadioButton>(style, "rbMonthNone", QStringLiteral("None"),
                                    "Text in the month is displayed without styling");
    rbMonthShadow = New<QRadioButton>(style, "rbMonthShadow", QStringLiteral("Shadow"),
                                      "Text in the month is displayed with a drop shadow");
    rbMonthCutOut = New<QRadioButton>(style, "rbMonthCutOut", QStringLiteral("Cut out"),
                                      "Text in the month is displayed with a white outline");
    PlaceRows<QRadioButton>({rbMonthNone, rbMonthShadow, rbMonthCutOut}, 10, 18, 110);
    CreatePictureControls();
    CreateMarkDayControls();
}

void TSetupCalendarForm::CreatePictureControls() {
    chkShowPictures = New<QCheckBox>(gbxMonth, "chkShowPictures", QStringLiteral("Picture"),
                                     "Use a picture for the calendar background");
    Place(chkShowPictures, 154, 20, 120, RowHeight);
    txtPictureSource = new QLineEdit(gbxMonth);
    txtPictureSource->setObjectName(QStringLiteral("txtPictureSource"));
    txtPictureSource->setReadOnly(true);
    SetHint(txtPictureSource, "Name of image file used when a picture is used for the background");
    Place(txtPictureSource, 154, 40, 236, 21);
    btnBrowse =
        New<QPushButton>(gbxMonth, "btnBrowse", QStringLiteral("..."), "Browse for an image file");
    btnBrowse->setAutoDefault(false);
    btnBrowse->setAccessibleName(QStringLiteral("Browse for an image file"));
    Place(btnBrowse, 394, 39, 25, 23);
    QGroupBox* fit = NewGroup(gbxMonth, "gbxFit", " Fit ");
    Place(fit, 154, 66, 128, 74);
    rbBestAspect = New<QRadioButton>(fit, "rbBestAspect", QStringLiteral("Best aspect"),
                                     "Part of the picture is displayed  at the correct aspect "
                                     "ratio (and will fill the whole calendar)");
    rbFitAspect = New<QRadioButton>(fit, "rbFitAspect", QStringLiteral("Fit aspect"),
                                    "The whole picture is displayed at the correct aspect ratio "
                                    "(and may not fill the calendar)");
    rbStretch = New<QRadioButton>(fit, "rbStretch", QStringLiteral("Stretch"),
                                  "The picture is stretched to fit the calendar (but aspect "
                                  "ration may be distorted)");
    PlaceRows<QRadioButton>({rbBestAspect, rbFitAspect, rbStretch}, 10, 18, 110);
    QGroupBox* change = NewGroup(gbxMonth, "gbxChange", " Change ");
    Place(change, 290, 66, 129, 74);
    rbChangeDaily = New<QRadioButton>(change, "rbChangeDaily", QStringLiteral("Daily"),
                                      "Change the picture every day");
    rbChangeMonthly = New<QRadioButton>(change, "rbChangeMonthly", QStringLiteral("Monthly"),
                                        "Change the picture every month");
    rbDontChange = New<QRadioButton>(change, "rbDontChange", QStringLiteral("Don't"),
                                     "Don't change the picture");
    PlaceRows<QRadioButton>({rbChangeDaily, rbChangeMonthly, rbDontChange}, 10, 18, 110);
}

void TSetupCalendarForm::CreateMarkDayControls() {
    // "Text" and "Graphic" sit in a strip of their own: Qt makes radio buttons exclusive with
    // every radio button below their parent, those of the group boxes beside them included.
    auto* strip = new QWidget(gbxMonth);
    strip->setObjectName(QStringLiteral("pnlMarkDays"));
    Place(strip, 0, 150, 429, 26);
    constexpr int top = 4;
    chkMarkDays = New<QCheckBox>(strip, "chkMarkDays", QStringLiteral("Mark days"),
                                 "Mark those days that have time entries");
    Place(chkMarkDays, 12, top, 84, RowHeight);
    rbText = New<QRadioButton>(strip, "rbText", QStringLiteral("Text"),
                               "Mark days with time entries using coloured text");
    Place(rbText, 104, top, 50, RowHeight);
    colorBtnDayMarkerText = NewColorButton(strip, "colorBtnDayMarkerText", "", "");
    colorBtnDayMarkerText->setAccessibleName(
        QStringLiteral("Colour of the text marking days with time entries"));
    Place(colorBtnDayMarkerText, 156, top - 2, ColorWidth, ColorHeight);
    rbGraphic = New<QRadioButton>(strip, "rbGraphic", QStringLiteral("Graphic"),
                                  "Mark days with time using a graphic");
    Place(rbGraphic, 222, top, 70, RowHeight);
    colorBtnDayMarkerLine =
        NewColorButton(strip, "colorBtnDayMarkerLine", "Line",
                       "Line colour for the time graphic used to mark days with time");
    Place(colorBtnDayMarkerLine, 296, top - 2, ColorWidth + 12, ColorHeight);
    colorBtnDayMarkerFill =
        NewColorButton(strip, "colorBtnDayMarkerFill", "Fill",
                       "Fill colour for the time graphic used to mark days with time");
    Place(colorBtnDayMarkerFill, 362, top - 2, ColorWidth + 12, ColorHeight);
}

void TSetupCalendarForm::CreateSelectionGroup() {
    gbxSelection = NewGroup(this, "gbxSelection", "Selection");
    Place(gbxSelection, 10, 342, 429, 76);
    QGroupBox* shape = NewGroup(gbxSelection, "gbxShape", " Shape ");
    Place(shape, 12, 16, 240, 54);
    rbCell = New<QRadioButton>(shape, "rbCell", QStringLiteral("Cell"),
                               "Mark the whole calendar cell of the selected day");
    rbSquare = New<QRadioButton>(shape, "rbSquare", QStringLiteral("Square"),
                                 "Mark the selected calendar day with a square");
    rbCircle = New<QRadioButton>(shape, "rbCircle", QStringLiteral("Circle"),
                                 "Mark the selected calendar day with a circle");
    Place(rbCell, 10, 16, 56, RowHeight);
    Place(rbSquare, 72, 16, 70, RowHeight);
    Place(rbCircle, 150, 16, 70, RowHeight);
    chkFill =
        New<QCheckBox>(shape, "chkFill", QStringLiteral("Filled"), "Fill the selection shape");
    Place(chkFill, 10, 34, 60, RowHeight);
    colorBtnSelection = NewColorButton(shape, "colorBtnSelection", "Fill",
                                       "The colour used for the selection background");
    Place(colorBtnSelection, 72, 32, ColorWidth + 12, ColorHeight - 2);
    QGroupBox* border = NewGroup(gbxSelection, "gbxBorder", " Border ");
    Place(border, 262, 16, 157, 54);
    chkSolidline = New<QCheckBox>(border, "chkSolidline", QStringLiteral("Solid"),
                                  "Use a solid line for the outline of the selection area");
    chkDotLine = New<QCheckBox>(border, "chkDotLine", QStringLiteral("Dotted"),
                                "Use a dotted line for the outline of the selection area");
    PlaceRows<QCheckBox>({chkSolidline, chkDotLine}, 10, 16, 70);
    colorBtnLine =
        NewColorButton(border, "colorBtnLine", "Line", "The colour used to outline the selection");
    Place(colorBtnLine, 88, 22, ColorWidth + 12, ColorHeight);
}

void TSetupCalendarForm::CreateButtons() {
    constexpr int top = ClientHeight - 8 - 25;
    btnHelp = New<QPushButton>(this, "btnHelp", QStringLiteral("Help"), "Help");
    btnHelp->setAutoDefault(false);
    Place(btnHelp, 10, top, 75, 25);
    btnOK = New<QPushButton>(this, "btnOK", QStringLiteral("OK"));
    btnOK->setDefault(true);
    Place(btnOK, ClientWidth - 10 - 75 - 6 - 75, top, 75, 25);
    btnCancel = New<QPushButton>(this, "btnCancel", QStringLiteral("Cancel"));
    btnCancel->setAutoDefault(false);
    Place(btnCancel, ClientWidth - 10 - 75, top, 75, 25);
}

void TSetupCalendarForm::ConnectChoice(const QList<QRadioButton*>& buttons,
                                       const std::function<void(int)>& act) {
    for (int i = 0; i < buttons.size(); ++i)
        connect(buttons[i], &QRadioButton::toggled, this, [this, act, i](bool checked) {
            if (checked && !FUpdating)
                act(i);
        });
}

void TSetupCalendarForm::ConnectColorButton(TColorButton* button, int TCalendarSetup::*field,
                                            const std::function<void(int)>& preview) {
    connect(button, &TColorButton::OnColorChange, this, [this, button, field, preview] {
        if (FUpdating)
            return;
        FWorking.*field = NumberOfColor(button->Color());
        preview(FWorking.*field);
    });
}

void TSetupCalendarForm::ConnectHandlers() {
    ConnectChoice({rbTitleNone, rbTitleShadow, rbTitleCutOut}, [this](int effect) {
        FWorking.TitleEffect = effect;
        Calendar->SetTitleTextEffect(TTextEffect(effect));
    });
    ConnectChoice({rbMonthNone, rbMonthShadow, rbMonthCutOut}, [this](int effect) {
        FWorking.TextEffect = effect;
        Calendar->SetCalendarTextEffect(TTextEffect(effect));
    });
    ConnectChoice({rbBestAspect, rbFitAspect, rbStretch}, [this](int fit) {
        FWorking.FitType = fit;
        Calendar->SetPictureFitType(TPictureFitType(fit));
    });
    ConnectChoice({rbDontChange, rbChangeMonthly, rbChangeDaily},
                  [this](int change) { FWorking.PictureChangeType = change; });
    TGraphicCalendar* preview = Calendar;
    ConnectColorButton(colorBtnTitle, &TCalendarSetup::TitleBackground,
                       [preview](int n) { preview->SetTitleBackground(n); });
    ConnectColorButton(colorBtnBackground, &TCalendarSetup::Background,
                       [preview](int n) { preview->SetColor(n); });
    ConnectColorButton(colorBtnDayMarkerText, &TCalendarSetup::DayMarkerText,
                       [preview](int n) { preview->SetDayMarkerText(n); });
    ConnectColorButton(colorBtnDayMarkerLine, &TCalendarSetup::DayMarkerLine,
                       [preview](int n) { preview->SetDayMarkerLine(n); });
    ConnectColorButton(colorBtnDayMarkerFill, &TCalendarSetup::DayMarkerFill,
                       [preview](int n) { preview->SetDayMarkerFill(n); });
    ConnectColorButton(colorBtnSelection, &TCalendarSetup::SelectionBackground,
                       [preview](int n) { preview->SetSelectionBackground(n); });
    ConnectColorButton(colorBtnLine, &TCalendarSetup::LineColor,
                       [preview](int n) { preview->SetLineColor(n); });
    // "Picture" reacts to the user's click only, not to the window setting it.
    connect(chkShowPictures, &QCheckBox::clicked, this, [this] { chkShowPicturesClick(); });
    connect(btnBrowse, &QPushButton::clicked, this, [this] { btnBrowseClick(); });
    connect(chkMarkDays, &QCheckBox::toggled, this, [this] { chkMarkDaysClick(); });
    // Both the button that goes off and the one that comes on report, in an order of Qt's
    // choosing; the later report sees both settled.
    for (QRadioButton* type : {rbText, rbGraphic})
        connect(type, &QRadioButton::toggled, this, [this] { MarkDaysTypeClick(); });
    for (QCheckBox* box : {chkSolidline, chkDotLine, chkFill})
        connect(box, &QCheckBox::toggled, this, [this, box] { SelectionClick(box); });
    for (QRadioButton* shape : {rbCell, rbSquare, rbCircle})
        connect(shape, &QRadioButton::toggled, this, [this] { SelectionClick(nullptr); });
    connect(btnHelp, &QPushButton::clicked, this, [] { ShowHelpTopic(HelpTopic); });
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

bool TSetupCalendarForm::Execute(TCalendarSetup& setup, QList<QColor>* customColours) {
    Start(setup, customColours);
    return exec() == QDialog::Accepted;
}

void TSetupCalendarForm::Start(TCalendarSetup& setup, QList<QColor>* customColours) {
    FTarget = &setup;
    for (TColorButton* button : findChildren<TColorButton*>())
        button->CustomColours = customColours;
    FormShow();
}

void TSetupCalendarForm::FormShow() {
    ApplyHints();
    FUpdating = true;
    FWorking = *FTarget;
    FPreviewChange = QDate::currentDate();
    Calendar->SetDate(FPreviewChange);
    Calendar->SetStartOfWeek(AdminSettings().FirstDayOfWeek % 7);
    std::array<bool, 32> sampleDays{};
    sampleDays[3] = sampleDays[5] = true;
    Calendar->SetMarkedDays(sampleDays);
    ApplyToPreview();
    SetControls();
    FUpdating = false;
    UpdateEnabling();
}

void TSetupCalendarForm::ApplyHints() {
    const bool show = PersonalSettings().Setup.ShowHints;
    for (QWidget* control : findChildren<QWidget*>()) {
        const QString hint = control->property("hint").toString();
        if (!hint.isEmpty())
            control->setToolTip(show ? hint : QString());
    }
}

namespace {
void CheckByIndex(const QList<QRadioButton*>& buttons, int index) {
    buttons[index >= 0 && index < buttons.size() ? index : 0]->setChecked(true);
}
} // namespace

void TSetupCalendarForm::SetControls() {
    colorBtnTitle->SetColor(ColorOfNumber(FWorking.TitleBackground));
    colorBtnBackground->SetColor(ColorOfNumber(FWorking.Background));
    colorBtnLine->SetColor(ColorOfNumber(FWorking.LineColor));
    colorBtnSelection->SetColor(ColorOfNumber(FWorking.SelectionBackground));
    colorBtnDayMarkerFill->SetColor(ColorOfNumber(FWorking.DayMarkerFill));
    colorBtnDayMarkerLine->SetColor(ColorOfNumber(FWorking.DayMarkerLine));
    colorBtnDayMarkerText->SetColor(ColorOfNumber(FWorking.DayMarkerText));
    CheckByIndex({rbTitleNone, rbTitleShadow, rbTitleCutOut}, FWorking.TitleEffect);
    CheckByIndex({rbMonthNone, rbMonthShadow, rbMonthCutOut}, FWorking.TextEffect);
    CheckByIndex({rbBestAspect, rbFitAspect, rbStretch}, FWorking.FitType);
    // Any change type but "never" and "monthly" changes the picture daily.
    CheckByIndex({rbDontChange, rbChangeMonthly, rbChangeDaily},
                 std::min(std::max(FWorking.PictureChangeType, 0), 2));
    const int style = FWorking.SelectionStyle;
    chkSolidline->setChecked((style & ssLine) != 0);
    chkDotLine->setChecked((style & ssDot) != 0);
    chkFill->setChecked((style & ssFill) != 0);
    if ((style & ssSquare) != 0)
        rbSquare->setChecked(true);
    else if ((style & ssCircle) != 0)
        rbCircle->setChecked(true);
    else
        rbCell->setChecked(true);
    if (FWorking.MarkDays == mdText)
        rbText->setChecked(true);
    else if (FWorking.MarkDays == mdGraphic)
        rbGraphic->setChecked(true);
    chkMarkDays->setChecked(FWorking.MarkDays != mdNone);
    chkShowPictures->setChecked(FWorking.ShowPictures);
    ShowPictureSource();
}

void TSetupCalendarForm::UpdateEnabling() {
    const bool pictures = chkShowPictures->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{btnBrowse, rbBestAspect, rbFitAspect, rbStretch,
                                         rbChangeDaily, rbChangeMonthly, rbDontChange})
        control->setEnabled(pictures);
    const bool marks = chkMarkDays->isChecked();
    rbText->setEnabled(marks);
    rbGraphic->setEnabled(marks);
    colorBtnDayMarkerText->setEnabled(marks && rbText->isChecked());
    colorBtnDayMarkerLine->setEnabled(marks && rbGraphic->isChecked());
    colorBtnDayMarkerFill->setEnabled(marks && rbGraphic->isChecked());
    UpdateSelectionStyle();
}

void TSetupCalendarForm::UpdateSelectionStyle() {
    int style = 0;
    if (chkSolidline->isChecked())
        style |= ssLine;
    if (chkDotLine->isChecked())
        style |= ssDot;
    if (chkFill->isChecked())
        style |= ssFill;
    if (rbSquare->isChecked())
        style |= ssSquare;
    if (rbCircle->isChecked())
        style |= ssCircle;
    // The selection must draw something: the only one ticked of the three cannot be unticked.
    const QList<QCheckBox*> drawing{chkSolidline, chkDotLine, chkFill};
    const auto ticked = std::count_if(drawing.begin(), drawing.end(),
                                      [](const QCheckBox* box) { return box->isChecked(); });
    for (QCheckBox* box : drawing)
        box->setEnabled(ticked != 1 || !box->isChecked());
    Calendar->SetSelectionStyle(style);
    if (Calendar->SelectionStyle() == style)
        FWorking.SelectionStyle = style;
}

QString TSetupCalendarForm::PictureFileName() const {
    if (FWorking.PicturePath.isEmpty() || FWorking.LastPictureName.isEmpty())
        return {};
    return PictureFolder(FWorking.PicturePath) + FWorking.LastPictureName;
}

void TSetupCalendarForm::ShowPictureSource() {
    const QString path = FWorking.PicturePath + FWorking.LastPictureName;
    const QFontMetrics metrics = txtPictureSource->fontMetrics();
    // The text area of the box is its width less its frame and margins.
    const int room = txtPictureSource->width() - 8;
    txtPictureSource->setText(ShortenPath(
        path, [&metrics](const QString& text) { return metrics.horizontalAdvance(text); }, room));
    txtPictureSource->setCursorPosition(0);
}

void TSetupCalendarForm::ApplyToPreview() {
    // The last change is "today" each time, so the preview shows the named picture again.
    QDate lastChange = FPreviewChange;
    ApplyCalendarSetup(*Calendar, FWorking, lastChange, FPreviewChange);
}

namespace {
const QString PictureFilesFilter = QStringLiteral("Images (*.jpg *.bmp)");

// The platform's open dialog with the three picture filters, the third ("Images", both
// kinds) chosen.
QString OpenPictureDialog(QWidget* parent, const QString& folder) {
    const QStringList filters{QStringLiteral("JPG file (*.jpg)"), QStringLiteral("BMP file (*.bmp)"),
                              PictureFilesFilter};
    QString selected = PictureFilesFilter;
    return QFileDialog::getOpenFileName(parent, QString(), folder,
                                        filters.join(QStringLiteral(";;")), &selected);
}
} // namespace

bool TSetupCalendarForm::ChoosePicture() {
    QString folder = PictureFolder(FWorking.PicturePath);
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QDir::homePath();
    const QString file =
        ChoosePictureFile
            ? ChoosePictureFile(this, folder)
            : OpenPictureDialog(this, folder);
    if (file.isEmpty())
        return false;
    const QFileInfo info(file);
    FWorking.PicturePath = PictureFolder(info.absolutePath());
    FWorking.LastPictureName = info.fileName();
    ShowPictureSource();
    return true;
}

void TSetupCalendarForm::chkShowPicturesClick() {
    FWorking.ShowPictures = chkShowPictures->isChecked();
    UpdateEnabling();
    if (FWorking.ShowPictures && !QFileInfo(PictureFileName()).isFile() && ChoosePicture())
        rbMonthCutOut->setChecked(true); // light text reads best on a picture
    ApplyToPreview();
}

void TSetupCalendarForm::btnBrowseClick() {
    if (ChoosePicture())
        ApplyToPreview();
}

void TSetupCalendarForm::chkMarkDaysClick() {
    if (FUpdating)
        return;
    if (chkMarkDays->isChecked() && !rbText->isChecked() && !rbGraphic->isChecked())
        rbText->setChecked(true);
    MarkDaysTypeClick();
}

void TSetupCalendarForm::MarkDaysTypeClick() {
    if (FUpdating)
        return;
    if (!chkMarkDays->isChecked())
        FWorking.MarkDays = mdNone;
    else
        FWorking.MarkDays = rbGraphic->isChecked() ? mdGraphic : mdText;
    Calendar->SetMarkDays(TMarkDayType(FWorking.MarkDays));
    Calendar->update();
    UpdateEnabling();
}

void TSetupCalendarForm::SelectionClick(QCheckBox* ticked) {
    if (FUpdating)
        return;
    if (ticked == chkSolidline && chkSolidline->isChecked())
        chkDotLine->setChecked(false);
    else if (ticked == chkDotLine && chkDotLine->isChecked())
        chkSolidline->setChecked(false);
    UpdateSelectionStyle();
}

void TSetupCalendarForm::btnOKClick() {
    if (chkShowPictures->isChecked() && !QFileInfo(PictureFileName()).isFile() &&
        ShowMessageBox(MissingPictureQuestion, TMsgKind::Warning, mbYesNo) != mrYes)
        return;
    if (FTarget)
        *FTarget = FWorking;
    accept();
}
