#include "timelineview.h"

#include "base/rounding.h"
#include "calendar/colornumber.h"
#include "dayview/timelinepainter.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/settings/windowgeometry.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

namespace {
// Sizes at 96 ppi.
constexpr int HeaderHeight = 25;
constexpr int DayTop = 24;
constexpr int DayHeight = 45;
constexpr int ZoomButtonSize = 17;
constexpr int ZoomPanelWidth = 19;
constexpr int LabelHeight = 16;
} // namespace

TTimelineHeader::TTimelineHeader(TTimelineView& view) : QWidget(nullptr), FView(view) {
    setObjectName(QStringLiteral("pbxHeader"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTimelineHeader::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    THeaderView header;
    header.ZoomWidth = FView.ZoomWidth();
    header.TimeStep = FView.Settings().TimeStep;
    header.ShowsToday = FView.Day() && FView.Day()->Date == FView.Today();
    header.Now = FView.Clock();
    header.MarkerColour = FView.Settings().Colours.Standard;
    PaintHeader(painter, size(), header);
}

TTimelineDay::TTimelineDay(TTimelineView& view) : QWidget(nullptr), FView(view) {
    setObjectName(QStringLiteral("pbxDay"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setToolTip(
        QStringLiteral("Drag and drop coloured hours from above, or right-click for a menu"));
}

void TTimelineDay::Invalidate() {
    FValid = false;
    update();
}

void TTimelineDay::SetOutline(const QRect& outline) {
    const QRect old = FOutline;
    FOutline = outline;
    // Only the old and the new outline's pixels are copied again from the day's image.
    update(old.adjusted(-1, -1, 1, 1));
    update(outline.adjusted(-1, -1, 1, 1));
}

void TTimelineDay::paintEvent(QPaintEvent*) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (!FValid || FImage.size() != pixels) {
        FImage = QImage(pixels, QImage::Format_RGB32);
        FImage.setDevicePixelRatio(ratio);
        QPainter dayPainter(&FImage);
        FView.PaintDayInto(dayPainter);
        FValid = true;
        ++FDayPaints;
    }
    QPainter painter(this);
    painter.drawImage(0, 0, FImage);
    if (FOutline.isValid()) {
        painter.setPen(QPen(ColorOfNumber(0x008000), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(FOutline.adjusted(0, 0, -1, -1));
    }
}

void TTimelineDay::mousePressEvent(QMouseEvent* event) {
    if (FView.OnDayMousePress)
        FView.OnDayMousePress(*event);
}

void TTimelineDay::mouseMoveEvent(QMouseEvent* event) {
    if (FView.OnDayMouseMove)
        FView.OnDayMouseMove(*event);
}

void TTimelineDay::mouseReleaseEvent(QMouseEvent* event) {
    if (FView.OnDayMouseRelease)
        FView.OnDayMouseRelease(*event);
}

TTimelineView::TTimelineView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Timeline"));
    ScrollBox = new QScrollArea(this);
    ScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    ScrollBox->setFrameShape(QFrame::NoFrame);
    ScrollBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox->setWidgetResizable(false);
    FContent = new QWidget;
    FContent->setObjectName(QStringLiteral("pnlDay"));
    pbxHeader = new TTimelineHeader(*this);
    pbxHeader->setParent(FContent);
    pbxDay = new TTimelineDay(*this);
    pbxDay->setParent(FContent);
    ScrollBox->setWidget(FContent);
    pnlZoom = new QWidget(this);
    pnlZoom->setObjectName(QStringLiteral("pnlZoom"));
    btnZoomIn = new QToolButton(pnlZoom);
    btnZoomIn->setObjectName(QStringLiteral("btnZoomIn"));
    btnZoomIn->setText(QStringLiteral("+"));
    btnZoomIn->setToolTip(QStringLiteral("Zoom in day view"));
    btnZoomIn->setAccessibleName(QStringLiteral("Zoom in day view"));
    btnZoomOut = new QToolButton(pnlZoom);
    btnZoomOut->setObjectName(QStringLiteral("btnZoomOut"));
    btnZoomOut->setText(QStringLiteral("\u2212"));
    btnZoomOut->setToolTip(QStringLiteral("Zoom out day view"));
    btnZoomOut->setAccessibleName(QStringLiteral("Zoom out day view"));
    lblDayHours = new QLabel(this);
    lblDayHours->setObjectName(QStringLiteral("lblDayHours"));
    lblDayHours->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblDayHours->setToolTip(QStringLiteral("Number of reportable hours recorded for this day"));
    connect(btnZoomIn, &QToolButton::clicked, this, [this] { ZoomIn(); });
    connect(btnZoomOut, &QToolButton::clicked, this, [this] { ZoomOut(); });
    resize(ScreenPixels(552), ScreenPixels(LabelHeight + DayTop + DayHeight + 20));
    LayOut();
    UpdateZoomButtons();
}

int TTimelineView::ScreenPixels(int pixels) const {
    return ScaleToScreen(pixels, logicalDpiX());
}

int TTimelineView::DayWidth() const {
    return ScreenPixels(FZoomWidth);
}

void TTimelineView::SetSettings(const TSettings& settings) {
    FSettings = settings;
    RepaintDay();
    pbxHeader->update();
}

void TTimelineView::SetDay(TDay* day) {
    FDay = day;
    FSelected = nullptr;
    pbxDay->SetOutline({});
    RepaintDay();
    pbxHeader->update();
}

void TTimelineView::SetSelectedBlock(const TBlock* block) {
    FSelected = block;
    RepaintDay();
    if (!QAccessible::isActive() || !FDay)
        return;
    const auto found = std::find_if(FDay->Blocks.begin(), FDay->Blocks.end(),
                                    [block](const auto& own) { return own.get() == block; });
    QAccessibleEvent selection(pbxDay, QAccessible::Selection);
    if (found != FDay->Blocks.end())
        selection.setChild(int(found - FDay->Blocks.begin()));
    QAccessible::updateAccessibility(&selection);
}

void TTimelineView::UpdateGeometry() {
    FGeometry = TDayView::Make(0, 24, DayWidth(), pbxDay->height());
}

void TTimelineView::LayOut() {
    const int width = DayWidth();
    pbxHeader->setGeometry(0, 0, width, ScreenPixels(HeaderHeight));
    pbxDay->setGeometry(0, ScreenPixels(DayTop), width, ScreenPixels(DayHeight));
    UpdateGeometry();
    FContent->resize(width, ScreenPixels(DayTop + DayHeight));
    const int zoomWidth = ScreenPixels(ZoomPanelWidth);
    const bool ownLabel = lblDayHours->parent() == this;
    const int labelHeight = ownLabel ? ScreenPixels(LabelHeight) : 0;
    if (ownLabel)
        lblDayHours->setGeometry(0, 0, this->width() - zoomWidth, labelHeight);
    ScrollBox->setGeometry(0, labelHeight, this->width() - zoomWidth, height() - labelHeight);
    pnlZoom->setGeometry(this->width() - zoomWidth, labelHeight, zoomWidth, height() - labelHeight);
    const int button = ScreenPixels(ZoomButtonSize);
    btnZoomIn->setGeometry(1, 0, button, button);
    btnZoomOut->setGeometry(1, button + 1, button, button);
}

void TTimelineView::resizeEvent(QResizeEvent*) {
    LayOut();
}

void TTimelineView::SetZoom(int width) {
    const int centre = ViewCentreTime();
    FZoomWidth = SnapZoom(width);
    LayOut();
    if (OnWidthChanged)
        OnWidthChanged(DayWidth());
    RepaintDay();
    pbxHeader->update();
    ScrollToTime(centre);
    UpdateZoomButtons();
}

void TTimelineView::UpdateZoomButtons() {
    btnZoomOut->setEnabled(FZoomWidth > ZoomLevels.front());
    btnZoomIn->setEnabled(FZoomWidth < ZoomLevels.back());
}

int TTimelineView::ViewCentreTime() const {
    const int x =
        (ScrollBox->viewport()->width() + 1) / 2 + ScrollBox->horizontalScrollBar()->value();
    return FGeometry.XToTime(x);
}

void TTimelineView::ScrollToTime(int time) {
    if (time < 0)
        time = CurrentTimeOfDay();
    QScrollBar* bar = ScrollBox->horizontalScrollBar();
    bar->setValue(ScrollPositionFor(time, pbxDay->width(), ScrollBox->width(),
                                    ScreenPixels(FZoomWidth), bar->maximum()));
}

void TTimelineView::ScrollToBlock(const TBlock* block) {
    if (block)
        ScrollToTime(RoundToNearest((block->StartTime + block->EndTime) / 2.0));
}

void TTimelineView::RepaintDay() {
    pbxDay->Invalidate();
    if (OnDayRepainted)
        OnDayRepainted();
    FDayHours = FDay ? FDay->ReportableHours() : 0;
    if (!FDay) {
        lblDayHours->clear();
        return;
    }
    const TDayHoursLabel label = DayHoursLabel(
        FDayHours, FDay->WeekDay(), FSettings.TargetDailyHours, FSettings.DecimalDurationFormat);
    lblDayHours->setText(label.Text);
    QPalette palette = lblDayHours->palette();
    palette.setColor(QPalette::WindowText, label.Color);
    lblDayHours->setPalette(palette);
}

void TTimelineView::PaintDayInto(QPainter& painter) {
    if (FDay)
        PaintDay(painter, *FDay, FGeometry, FSelected, FSettings.Colours);
    else
        painter.fillRect(QRect(QPoint(0, 0), pbxDay->size()), ColorOfNumber(0x808080));
}

void TTimelineView::DrawDragOutline(const TBlock* block) {
    if (!block || !FDay) {
        pbxDay->SetOutline({});
        return;
    }
    const QRect outline = DragOutlineRect(FGeometry, *block);
    pbxDay->SetOutline(outline == pbxDay->Outline() ? QRect() : outline);
}
