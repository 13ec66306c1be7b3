#include "tipsform.h"

#include "app/apppictures.h"
#include "app/paintedpicture.h"
#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/textfile.h"
#include "base/textutils.h"
#include "storage/settings/personalsettings.h"
#include "storage/settings/windowgeometry.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>

namespace {
constexpr int ClientWidth = 420;
constexpr int ClientHeight = 230;
const QString NoTipsText = QStringLiteral("Sorry, the tips file is not available");

void Place(QWidget* control, int left, int top, int width, int height) {
    const int ppi = control->logicalDpiX();
    control->setGeometry(ScaleToScreen(left, ppi), ScaleToScreen(top, ppi),
                         ScaleToScreen(width, ppi), ScaleToScreen(height, ppi));
}

template <typename TControl>
TControl* New(QWidget* parent, const char* name, const QString& caption = {}) {
    auto* control = new TControl(caption, parent);
    control->setObjectName(QString::fromLatin1(name));
    return control;
}
} // namespace

QString TipsFileName() {
    return Locations().ProgramFolder + QStringLiteral("QHRtips.txt");
}

QStringList ReadTipsFile(const QString& fileName) {
    QStringList tips;
    const QString text = ReadTextFile(fileName);
    for (const QString& line : text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")))) {
        if (!TrimBlanks(line).isEmpty())
            tips.append(DecodeLineBreaks(line).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }
    return tips;
}

void ShowTipsWindow(QWidget* parent) {
    TTipsForm form(parent);
    form.exec();
}

TTipsForm::TTipsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TipsForm"));
    setWindowTitle(QStringLiteral("Quillhour Tips"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    const int ppi = logicalDpiX();
    setFixedSize(ScaleToScreen(ClientWidth, ppi), ScaleToScreen(ClientHeight, ppi));

    auto* imgTips = new TPaintedPicture(PaintTipBulb, this);
    imgTips->setObjectName(QStringLiteral("imgTips"));
    Place(imgTips, 12, 12, 48, 48);
    lblTipNum = New<QLabel>(this, "lblTipNum");
    QFont bold = lblTipNum->font();
    bold.setBold(true);
    lblTipNum->setFont(bold);
    Place(lblTipNum, 72, 12, 200, 18);
    scrTips = new QScrollArea(this);
    scrTips->setObjectName(QStringLiteral("scrTips"));
    scrTips->setWidgetResizable(true);
    scrTips->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Place(scrTips, 72, 34, ClientWidth - 72 - 12, 140);
    txtTips = New<QLabel>(nullptr, "txtTips");
    txtTips->setTextFormat(Qt::PlainText);
    txtTips->setWordWrap(true);
    txtTips->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    txtTips->setTextInteractionFlags(Qt::TextSelectableByMouse);
    txtTips->setMargin(6);
    scrTips->setWidget(txtTips);
    lblTipNum->setBuddy(scrTips);

    chkShowTips = New<QCheckBox>(this, "chkShowTips", QStringLiteral("Show tips at startup"));
    chkShowTips->setChecked(PersonalSettings().Setup.ShowTips);
    Place(chkShowTips, 12, ClientHeight - 12 - 22, 170, 22);
    btnNext = New<QPushButton>(this, "btnNext", QStringLiteral("Next Tip"));
    btnNext->setAutoDefault(false);
    Place(btnNext, ClientWidth - 12 - 75 - 6 - 75, ClientHeight - 12 - 25, 75, 25);
    btnClose = New<QPushButton>(this, "btnClose", QStringLiteral("Close"));
    btnClose->setDefault(true);
    Place(btnClose, ClientWidth - 12 - 75, ClientHeight - 12 - 25, 75, 25);
    // Escape closes the window through reject, as the Close button does.
    connect(btnNext, &QPushButton::clicked, this, [this] { btnNextClick(); });
    connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

TTipsForm::~TTipsForm() {
    PersonalSettings().Setup.ShowTips = chkShowTips->isChecked();
}

void TTipsForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (FShown)
        return;
    FShown = true;
    FormShow();
}

void TTipsForm::FormShow() {
    const bool hints = PersonalSettings().Setup.ShowHints;
    chkShowTips->setToolTip(
        hints ? QStringLiteral("Show the tips form every time the application starts") : QString());
    btnNext->setToolTip(hints ? QStringLiteral("Show the next tip") : QString());
    btnClose->setFocus();
    ReadTips();
    btnNext->setEnabled(FTips.size() > 1);
    if (FTips.isEmpty())
        ShowNoTips();
    else
        btnNextClick();
}

void TTipsForm::ReadTips() {
    try {
        FTips = ReadTipsFile(TipsFileName());
    } catch (const EInOutError&) {
        FTips.clear(); // no tips file: the window says so
    }
}

void TTipsForm::ShowNoTips() {
    lblTipNum->setText(QStringLiteral("Tips"));
    txtTips->setText(NoTipsText);
}

void TTipsForm::btnNextClick() {
    if (FTips.isEmpty()) {
        ShowNoTips();
        return;
    }
    int& lastTip = PersonalSettings().LastTip;
    lastTip = lastTip + 1 >= 0 && lastTip + 1 < FTips.size() ? lastTip + 1 : 0;
    lblTipNum->setText(QStringLiteral("Tip No. ") + QString::number(lastTip + 1));
    txtTips->setText(FTips[lastTip]);
}
