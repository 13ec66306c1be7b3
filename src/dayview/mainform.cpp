#include "mainform.h"

#include "base/help.h"
#include "calendar/graphiccalendar.h"
#include "dayview/blockdetailspanel.h"
#include "dayview/timelineview.h"
#include "dayview/toolglyphs.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/personalsettings.h"
#include "storage/settings/windowgeometry.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScrollArea>
#include <QToolButton>

namespace {
// Sizes at 96 ppi. The window's client area is at least the width of the calendar with its
// margins and the height of the tool bar, calendar, day view and details together.
constexpr int ClientMinWidth = 543;
constexpr int ClientMinHeight = 514;
constexpr int ToolBarHeight = 30;
constexpr int CalendarHeight = 197;
constexpr int DayViewHeight = 138;
constexpr int DataHeight = 149;
constexpr int PanelLeft = 7;
constexpr int PaletteHeight = 38;
constexpr int ButtonSize = 24;

QWidget* NewPanel(QWidget* parent, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(QString::fromLatin1(name));
    return panel;
}

QFrame* NewSunkenPanel(QWidget* parent, const char* name, int lineWidth) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(lineWidth);
    return frame;
}

// A zero-width place for the focus to rest while Ctrl is held, so that no drop-down box
// takes the window's Ctrl shortcuts.
QWidget* NewFocusSink(QWidget* parent) {
    auto* sink = new QWidget(parent);
    sink->setObjectName(QStringLiteral("edtTakeFocus"));
    sink->setFocusPolicy(Qt::StrongFocus);
    sink->setFixedWidth(0);
    return sink;
}
} // namespace

TMainForm::TMainForm(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Quillhour"));
    setCentralWidget(NewPanel(this, "MainPanel"));
    CreateToolBar();
    CreateCalendar();
    CreateDayView();
    CreateDetails();
    CreateUndo();
    CreateEditingMenu();
    setMinimumSize(Scaled(ClientMinWidth), Scaled(ClientMinHeight));
    resize(minimumSize());
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s != Qt::ApplicationActive)
            SaveMonthIfModified();
    });
}

TMainForm::~TMainForm() = default;

int TMainForm::Scaled(int pixels) const {
    return ScaleToScreen(pixels, logicalDpiX());
}

QToolButton* TMainForm::NewToolButton(const char* name, int left, const QString& hint,
                                      const QIcon& icon) {
    auto* button = new QToolButton(pnlButtons);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoRaise(true);
    button->setToolTip(hint);
    button->setAccessibleName(hint);
    button->setIcon(icon);
    button->setIconSize(QSize(Scaled(16), Scaled(16)));
    button->setGeometry(Scaled(left), Scaled(3), Scaled(ButtonSize), Scaled(ButtonSize));
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

void TMainForm::CreateToolBar() {
    pnlButtons = NewPanel(centralWidget(), "pnlButtons");
    imgLock = ToolGlyph(TToolGlyph::Lock);
    imgUnlock = ToolGlyph(TToolGlyph::Unlock);
    sbToday = NewToolButton("sbToday", 4, QStringLiteral("Select today on the calendar"),
                            ToolGlyph(TToolGlyph::Today));
    btnMorning = NewToolButton("btnMorning", 40, QStringLiteral("Show morning"),
                               ToolGlyph(TToolGlyph::Morning));
    btnDayTime = NewToolButton("btnDayTime", 64, QStringLiteral("Show daytime"),
                               ToolGlyph(TToolGlyph::DayTime));
    btnNight = NewToolButton("btnNight", 88, QStringLiteral("Show evening"),
                             ToolGlyph(TToolGlyph::Evening));
    sbLock = NewToolButton("sbLock", 125, QStringLiteral("Lock and unlock hours"), imgUnlock);
    sbLock->setCheckable(true);
    btnUndo = NewToolButton("btnUndo", 149, QStringLiteral("Undo"), ToolGlyph(TToolGlyph::Undo));
    btnUndo->setEnabled(false);
    btnHelp = NewToolButton("btnHelp", 0, QStringLiteral("Help"), ToolGlyph(TToolGlyph::Help));
    btnClose = NewToolButton("btnClose", 0, QStringLiteral("Save any work and close Quillhour"),
                             ToolGlyph(TToolGlyph::Close));
    for (const auto& [name, left] : {std::pair{"bvlToday", 34}, std::pair{"bvlView", 118}, std::pair{"bvlUndo", 178}}) {
        auto* line = new QFrame(pnlButtons);
        line->setObjectName(QString::fromLatin1(name));
        line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        line->setGeometry(Scaled(left), Scaled(3), Scaled(2), Scaled(ButtonSize));
    }
    auto* bottom = new QFrame(pnlButtons);
    bottom->setObjectName(QStringLiteral("bvlToolBar"));
    bottom->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    connect(sbToday, &QToolButton::clicked, this, [this] {
        Calendar->SetDate(QDate::currentDate());
        Timeline->ShowNow();
    });
    connect(btnMorning, &QToolButton::clicked, this, [this] { Timeline->ShowMorning(); });
    connect(btnDayTime, &QToolButton::clicked, this, [this] { Timeline->ShowDayTime(); });
    connect(btnNight, &QToolButton::clicked, this, [this] { Timeline->ShowEvening(); });
    connect(sbLock, &QToolButton::clicked, this, [this] { LockClicked(); });
    connect(btnHelp, &QToolButton::clicked, this,
            [] { ShowHelpTopic(QStringLiteral("Enter Time.htm")); });
    connect(btnClose, &QToolButton::clicked, this, [this] { close(); });
}

void TMainForm::CreateCalendar() {
    pnlCalendar = NewPanel(centralWidget(), "pnlCalendar");
    pnlCalendarControl = NewSunkenPanel(pnlCalendar, "pnlCalendarControl", 1);
    pnlCalendarControl->setAutoFillBackground(true);
    QPalette white = pnlCalendarControl->palette();
    white.setColor(QPalette::Window, Qt::white);
    pnlCalendarControl->setPalette(white);
    Calendar = new TGraphicCalendar(pnlCalendarControl);
    Calendar->setObjectName(QStringLiteral("Calendar"));
    Calendar->SetDate(QDate::currentDate());
    Calendar->OnChangeQuery = [this](TGraphicCalendar*, bool& allow) {
        allow = IsBlockComplete(FSelectedBlock, true);
    };
    Calendar->OnChange = [this](TGraphicCalendar*) {
        if (!FUpdating)
            LoadSelectedDay();
    };
    Calendar->OnClick = [this](TGraphicCalendar*) {
        SelectBlock(nullptr);
        Timeline->RepaintDay();
    };
}

void TMainForm::CreateDayView() {
    pnlDayView = NewPanel(centralWidget(), "pnlDayView");
    pnlTimeView = NewSunkenPanel(pnlDayView, "pnlTimeView", 2);
    pnlDay = NewPanel(pnlTimeView, "pnlDay");
    pnlTime = NewPanel(pnlDay, "pnlTime");
    edtTakeFocus = NewFocusSink(pnlTime);
    Timeline = new TTimelineView(pnlDay);
    Timeline->lblDayHours->setParent(pnlTime);
    Timeline->lblDayHours->setText(QStringLiteral("daily hours"));
    Timeline->OnWidthChanged = [this](int width) {
        if (LoadedMonth())
            LoadedMonth()->SetWidth(width);
        else if (CurrentDay())
            CurrentDay()->View.SetWidth(width);
        FUndo->SetDayWidth(width);
    };
    Timeline->OnDayMousePress = [this](QMouseEvent& event) { DayPressed(event); };
    Timeline->OnDayMouseMove = [this](QMouseEvent& event) { DayMoved(event); };
    Timeline->OnDayMouseRelease = [this](QMouseEvent& event) { DayReleased(event); };
    CreatePalette();
}

void TMainForm::CreateDetails() {
    pnlData = NewPanel(centralWidget(), "pnlData");
    gpbxDetails = new TBlockDetailsPanel(pnlData);
    gpbxDetails->SetLists(&ClientProjectList, &CategoryActivityList);
    gpbxDetails->SetFocusSink(edtTakeFocus);
    gpbxDetails->OnChange = [this](QWidget* control) { DetailsChanged(control); };
}

void TMainForm::LayOut() {
    const int width = centralWidget()->width();
    const int extra = std::max(0, centralWidget()->height() - Scaled(ClientMinHeight));
    pnlButtons->setGeometry(0, 0, width, Scaled(ToolBarHeight));
    btnClose->move(width - Scaled(37 - 9), Scaled(3));
    btnHelp->move(width - Scaled(61 - 9), Scaled(3));
    if (auto* bottom = pnlButtons->findChild<QFrame*>(QStringLiteral("bvlToolBar")))
        bottom->setGeometry(0, Scaled(ToolBarHeight) - 2, width, 2);
    const int panelWidth = width - 2 * Scaled(PanelLeft);
    int top = Scaled(ToolBarHeight);
    pnlCalendar->setGeometry(0, top, width, Scaled(CalendarHeight) + extra);
    pnlCalendarControl->setGeometry(Scaled(PanelLeft), Scaled(8), panelWidth,
                                    Scaled(185) + extra);
    Calendar->setGeometry(pnlCalendarControl->contentsRect());
    top += pnlCalendar->height();
    pnlDayView->setGeometry(0, top, width, Scaled(DayViewHeight));
    pnlTimeView->setGeometry(Scaled(PanelLeft), Scaled(4), panelWidth, Scaled(131));
    pnlDay->setGeometry(pnlTimeView->contentsRect());
    pnlTime->setGeometry(0, 0, pnlDay->width(), Scaled(PaletteHeight));
    QLabel* hours = Timeline->lblDayHours;
    hours->adjustSize();
    const int hoursWidth = std::max(hours->width(), Scaled(120));
    hours->setGeometry(pnlTime->width() - Scaled(17) - hoursWidth, Scaled(12), hoursWidth,
                       Scaled(16));
    edtTakeFocus->setGeometry(0, 0, 0, Scaled(16));
    Timeline->setGeometry(0, Scaled(PaletteHeight), pnlDay->width(),
                          pnlDay->height() - Scaled(PaletteHeight));
    top += pnlDayView->height();
    pnlData->setGeometry(0, top, width, Scaled(DataHeight));
    gpbxDetails->setGeometry(Scaled(PanelLeft), Scaled(1), panelWidth, Scaled(144));
}

void TMainForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (!FUpdating)
        LayOut();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    LayOut();
    if (FShown)
        return;
    FShown = true;
    ApplySettings();
    Timeline->ScrollToTime(-1);
    SetHoursLocked(PersonalSettings().Setup.LockHoursOnStartup);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!CloseQuery() || !SaveBeforeClose()) {
        event->ignore();
        return;
    }
    if (!FStopped && FStopSequence) {
        FStopped = true;
        FStopSequence();
    }
    event->accept();
}
