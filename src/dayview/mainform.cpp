#include "mainform.h"

#include "base/datalocations.h"
#include "base/help.h"
#include "base/messages.h"
#include "reporting/layouts/reportavailability.h"
#include "calendar/graphiccalendar.h"
#include "dayview/blockdetailspanel.h"
#include "dayview/searchpanel.h"
#include "dayview/timelineview.h"
#include "widgets/toolglyphs.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/personalsettings.h"
#include "storage/settings/windowgeometry.h"

#include <QCloseEvent>
#include <QClipboard>
#include <QColorDialog>
#include <QFrame>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QTimer>
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
constexpr int SearchWidth = 154;
constexpr int ZoomPanelWidth = 19;
// The window's frame beyond its client area at 96 ppi, as the stored sizes and the size rules
// count it (the outer size is what the settings file keeps).
constexpr int OuterWidthExtra = 9;

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
    for (int index = 0; index < QColorDialog::customCount(); ++index)
        SharedCustomColours.append(QColorDialog::customColor(index));
    CreateToolBar();
    CreateCalendar();
    CreateDayView();
    CreateDetails();
    CreateSearchPanel();
    CreateUndo();
    CreateEditingMenu();
    CreateHelpMenu();
    CreateTimer();
    SetupPalette();
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
    button->setIconSize(QSize(Scaled(18), Scaled(18)));
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
    btnSearch = NewToolButton("btnSearch", 185, QStringLiteral("Search for time entries"),
                              ToolGlyph(TToolGlyph::Search));
    btnSearch->setCheckable(true);
    btnSummary = NewToolButton("btnSummary", 209, QStringLiteral("Create time report"),
                               ToolGlyph(TToolGlyph::Report));
    btnExportData = NewToolButton("btnExportData", 233, QStringLiteral("Export time data"),
                                  ToolGlyph(TToolGlyph::Export));
    sbnSetup = NewToolButton(
        "sbnSetup", 269,
        QStringLiteral("Set up personal and admin options, clients and projects, and export formats"),
        ToolGlyph(TToolGlyph::Setup));
    btnHelp = NewToolButton("btnHelp", 0, QStringLiteral("Help"), ToolGlyph(TToolGlyph::Help));
    btnClose = NewToolButton("btnClose", 0, QStringLiteral("Save any work and close Quillhour"),
                             ToolGlyph(TToolGlyph::Close));
    for (const auto& [name, left] : {std::pair{"bvlToday", 34}, std::pair{"bvlView", 118},
                                     std::pair{"bvlUndo", 178}, std::pair{"bvlWindows", 262},
                                     std::pair{"bvlClose", 0}}) {
        auto* line = new QFrame(pnlButtons);
        line->setObjectName(QString::fromLatin1(name));
        line->setFrameStyle(QFrame::VLine | QFrame::Sunken);
        line->setGeometry(Scaled(left), Scaled(3), Scaled(2), Scaled(ButtonSize));
    }
    auto* bottom = new QFrame(pnlButtons);
    bottom->setObjectName(QStringLiteral("bvlToolBar"));
    bottom->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    ConnectToolBar();
}

void TMainForm::ConnectToolBar() {
    // Each of these buttons counts as activity for the reminder.
    const auto button = [this](QToolButton* control, auto action) {
        connect(control, &QToolButton::clicked, this, [this, action] {
            IdleMinutes = 0;
            action();
        });
    };
    button(sbToday, [this] {
        Calendar->SetDate(QDate::currentDate());
        Timeline->ShowNow();
    });
    button(btnMorning, [this] { Timeline->ShowMorning(); });
    button(btnDayTime, [this] { Timeline->ShowDayTime(); });
    button(btnNight, [this] { Timeline->ShowEvening(); });
    button(btnSearch, [this] { ToggleSearchPanel(); });
    connect(sbLock, &QToolButton::clicked, this, [this] { LockClicked(); });
    button(btnSummary, [this] {
        if (!ReportsAvailable) {
            ShowMessageBox(QStringLiteral("An error occurred while trying to prepare reports.\r"
                                          "Please check your default printer is available."),
                           TMsgKind::Error, mbOK);
            return;
        }
        OpenTimeReportWindow();
    });
    button(btnExportData, [this] { OpenExportDataWindow(); });
    button(sbnSetup, [this] { OpenSetupWindow(false); });
    connect(btnHelp, &QToolButton::clicked, this,
            [this] { mnuHelp->popup(btnHelp->mapToGlobal(QPoint(0, btnHelp->height()))); });
    connect(btnClose, &QToolButton::clicked, this, [this] { close(); });
}

void TMainForm::CreateSearchPanel() {
    pnlSearch = new TSearchPanel(centralWidget());
    pnlSearch->CalendarDate = [this] { return Calendar->Date(); };
    pnlSearch->MayLeaveBlock = [this] { return IsBlockComplete(FSelectedBlock, true); };
    pnlSearch->SaveBeforeSearch = [this] { SaveMonthIfModified(); };
    pnlSearch->OnUpdating = [this](bool updating) { FUpdating = updating; };
    pnlSearch->OnOpenEntry = [this](QDate date, int start) { OpenSearchEntry(date, start); };
    pnlSearch->hide();
}

void TMainForm::OpenSearchEntry(QDate date, int startTime) {
    Calendar->SetDate(date);
    if (!CurrentDay() || CurrentDay()->Date != date)
        return;
    TBlock* block = CurrentDay()->FindByStart(startTime);
    if (block) {
        FSelectionSnapshot = TBlock::CreateDuplicate(*block);
        SelectBlock(block);
    } else {
        SelectBlock(nullptr); // the entry has gone stale: its block moved
    }
    Timeline->RepaintDay();
    Timeline->ScrollToBlock(block);
    Timeline->UpdateZoomButtons();
}

void TMainForm::CreateHelpMenu() {
    mnuHelp = new QMenu(this);
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    for (const auto& [name, caption, topic] :
         {std::tuple{"GettingStarted", "Getting Started", "Getting Started.htm"},
          std::tuple{"HowToEnterTime", "How to Enter Time", "Enter Time.htm"},
          std::tuple{"ReportingTime", "Reporting Time", "Reporting.htm"},
          std::tuple{"Searching", "Searching", "Search.htm"},
          std::tuple{"Supporthowtocontactus", "Support - how to contact us", "Support.htm"}}) {
        QAction* item = mnuHelp->addAction(QString::fromLatin1(caption));
        item->setObjectName(QString::fromLatin1(name));
        const QString page = QString::fromLatin1(topic);
        connect(item, &QAction::triggered, this, [page] { ShowHelpTopic(page); });
    }
    QAction* tips = mnuHelp->addAction(QStringLiteral("Tips..."));
    tips->setObjectName(QStringLiteral("Tips1"));
    mnuHelp->addSeparator();
    QAction* locations = mnuHelp->addAction(QStringLiteral("Data location information..."));
    locations->setObjectName(QStringLiteral("Datalocationinformation1"));
    mnuHelp->addSeparator();
    QAction* about = mnuHelp->addAction(QStringLiteral("About Quillhour..."));
    about->setObjectName(QStringLiteral("AboutQuillhour1"));
    connect(locations, &QAction::triggered, this, [] {
        const QString heading = QStringLiteral("Quillhour data locations");
        const QString crLf = QStringLiteral("\r\n");
        const QString text = DataLocationsText(false);
        QGuiApplication::clipboard()->setText(heading + crLf + text);
        ShowMessageBox(heading + crLf + crLf + text + crLf +
                           QStringLiteral("(This information has been copied to the Windows "
                                          "clipboard)"),
                       TMsgKind::Information, mbOK);
    });
    connect(tips, &QAction::triggered, this, [this] {
        if (OpenTips)
            OpenTips();
    });
    connect(about, &QAction::triggered, this, [this] {
        if (OpenAbout)
            OpenAbout();
    });
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
    Timeline->OnWidthChanged = [this](int) { UpdateMaximumWidth(); };
    Timeline->OnDayRepainted = [this] { MarkCalendarDays(); };
    Timeline->OnDayMousePress = [this](QMouseEvent& event) { DayPressed(event); };
    Timeline->OnDayMouseMove = [this](QMouseEvent& event) { DayMoved(event); };
    Timeline->OnDayMouseRelease = [this](QMouseEvent& event) { DayReleased(event); };
    CreatePalette();
}

// The calendar marks the days of the loaded month that hold reportable time, when its
// appearance asks for marks; it repaints only when a mark changed.
void TMainForm::MarkCalendarDays() {
    if (Calendar->MarkDays() == mdNone || !LoadedMonth())
        return;
    TDayMarks marks;
    LoadedMonth()->MarkDays(marks);
    bool same = true;
    for (int day = 1; day <= 31; ++day)
        same = same && Calendar->IsMarked(day) == marks[std::size_t(day)];
    if (!same)
        Calendar->SetMarkedDays(marks);
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
    LayOutToolBar(width);
    const bool searching = pnlSearch->isVisible();
    const int searchWidth = Scaled(SearchWidth);
    pnlSearch->setGeometry(width - searchWidth, Scaled(ToolBarHeight), searchWidth,
                           Scaled(479) + extra);
    const int panelWidth =
        (searching ? pnlSearch->x() : width) - 2 * Scaled(PanelLeft);
    int top = Scaled(ToolBarHeight);
    const int panelsWidth = searching ? pnlSearch->x() : width;
    pnlCalendar->setGeometry(0, top, panelsWidth, Scaled(CalendarHeight) + extra);
    pnlCalendarControl->setGeometry(Scaled(PanelLeft), Scaled(8), panelWidth,
                                    Scaled(185) + extra);
    Calendar->setGeometry(pnlCalendarControl->contentsRect());
    top += pnlCalendar->height();
    pnlDayView->setGeometry(0, top, panelsWidth, Scaled(DayViewHeight));
    pnlTimeView->setGeometry(Scaled(PanelLeft), Scaled(4), panelWidth, Scaled(131));
    pnlDay->setGeometry(pnlTimeView->contentsRect());
    // The palette strip ends where the zoom buttons begin.
    pnlTime->setGeometry(0, 0, pnlDay->width() - Scaled(ZoomPanelWidth), Scaled(PaletteHeight));
    QLabel* hours = Timeline->lblDayHours;
    const int hoursWidth = Scaled(120);
    hours->setGeometry(pnlTime->width() - Scaled(17) - hoursWidth, Scaled(12), hoursWidth,
                       Scaled(16));
    edtTakeFocus->setGeometry(0, 0, 0, Scaled(16));
    Timeline->setGeometry(0, Scaled(PaletteHeight), pnlDay->width(),
                          pnlDay->height() - Scaled(PaletteHeight));
    top += pnlDayView->height();
    pnlData->setGeometry(0, top, panelsWidth, Scaled(DataHeight));
    gpbxDetails->setGeometry(Scaled(PanelLeft), Scaled(1), panelWidth, Scaled(144));
    UpdateMaximumWidth();
}

void TMainForm::LayOutToolBar(int width) {
    pnlButtons->setGeometry(0, 0, width, Scaled(ToolBarHeight));
    // At 96 ppi the close button ends 13 pixels inside the window's outer edge.
    btnClose->move(width + Scaled(OuterWidthExtra) - Scaled(37), Scaled(3));
    btnHelp->move(width + Scaled(OuterWidthExtra) - Scaled(61), Scaled(3));
    if (auto* line = pnlButtons->findChild<QFrame*>(QStringLiteral("bvlClose")))
        line->move(width + Scaled(OuterWidthExtra) - Scaled(68), Scaled(3));
    if (auto* bottom = pnlButtons->findChild<QFrame*>(QStringLiteral("bvlToolBar")))
        bottom->setGeometry(0, Scaled(ToolBarHeight) - 2, width, 2);
}

int TMainForm::MaximumClientWidth(bool searching) const {
    const int outer = Timeline->ZoomWidth() + (searching ? 181 : 27);
    return Scaled(outer) - Scaled(OuterWidthExtra);
}

void TMainForm::UpdateMaximumWidth() {
    setMaximumWidth(std::max(minimumWidth(), MaximumClientWidth(pnlSearch->isVisible())));
}

void TMainForm::ToggleSearchPanel() {
    FUpdating = true;
    const int panel = Scaled(SearchWidth);
    if (pnlSearch->isVisible()) {
        pnlSearch->hide();
        setMinimumWidth(Scaled(ClientMinWidth));
        if (!isMaximized())
            resize(width() - panel, height());
        setMaximumWidth(MaximumClientWidth(false));
    } else {
        setMaximumWidth(MaximumClientWidth(true));
        if (!isMaximized())
            resize(width() + panel, height());
        setMinimumWidth(Scaled(ClientMinWidth) + panel);
        KeepOnScreen();
        pnlSearch->show();
    }
    if (width() < minimumWidth())
        resize(minimumWidth(), height());
    btnSearch->setChecked(pnlSearch->isVisible());
    FUpdating = false;
    LayOut();
}

// A window that would reach past the right edge of its screen moves left; one wider than the
// screen starts at its left edge with the screen's width.
void TMainForm::KeepOnScreen() {
    const QScreen* screen = this->screen();
    if (!screen || isMaximized())
        return;
    const QRect available = screen->availableGeometry();
    QRect frame = frameGeometry();
    if (frame.right() > available.right()) {
        frame.moveRight(available.right());
        if (frame.left() < available.left()) {
            frame.moveLeft(available.left());
            resize(available.width() - (frame.width() - width()), height());
        }
        move(frame.topLeft());
    }
}

void TMainForm::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    // The title follows the user name, which the set-up window may change.
    QTimer::singleShot(0, this, [this] {
        const QString title = QStringLiteral("Quillhour - ") + CurrentUserName();
        // The application's title is the window's, so that the window system does not add
        // the program's name to it once more.
        if (QGuiApplication::applicationDisplayName() != title)
            QGuiApplication::setApplicationDisplayName(title);
        if (windowTitle() != title)
            setWindowTitle(title);
    });
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
    FirstShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (!FClosedDown && (!CloseQuery() || !SaveBeforeClose())) {
        event->ignore();
        return;
    }
    CloseDown();
    if (!FStopped && FStopSequence) {
        FStopped = true;
        FStopSequence();
    }
    event->accept();
}
