#include "reportpreviewwidget.h"

#include "reporting/engine/reportpainter.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace {
constexpr double UnitsPerMm = 96.0 / 25.4;
constexpr int Desk = 12; // pixels of desk around the paper
constexpr double MinimumFactor = 0.1;
constexpr double MaximumFactor = 8.0;
constexpr double WheelZoomStep = 1.25;
} // namespace

TReportPreviewWidget::TReportPreviewWidget(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("ReportPreview"));
    setFrameShape(QFrame::NoFrame);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Report page"));
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
    UpdateScrollBars();
}

void TReportPreviewWidget::SetPaper(const TReportPaper& paper) {
    FPaper = paper;
    UpdateScrollBars();
    viewport()->update();
}

void TReportPreviewWidget::AddPage(TReportPage page) {
    FPages.push_back(std::move(page));
    UpdateDescription();
    if (FPages.size() == 1)
        viewport()->update();
}

void TReportPreviewWidget::ReplacePage(int index, TReportPage page) {
    if (index < 0 || index >= PageCount())
        return;
    FPages[std::size_t(index)] = std::move(page);
    if (index == FPage)
        viewport()->update();
}

void TReportPreviewWidget::Clear() {
    FPages.clear();
    FPage = 0;
    UpdateDescription();
    viewport()->update();
}

void TReportPreviewWidget::SetPage(int index) {
    FPage = std::clamp(index, 0, std::max(PageCount() - 1, 0));
    UpdateDescription();
    viewport()->update();
}

void TReportPreviewWidget::SetZoom(TZoom zoom, double factor) {
    FZoom = zoom;
    FFactor = factor > 0 ? std::clamp(factor, MinimumFactor, MaximumFactor) : 1.0;
    // Fitted to the width the page is taller than the view, so the bar is always there and
    // the width to fit does not change with it.
    setVerticalScrollBarPolicy(zoom == TZoom::FitWidth ? Qt::ScrollBarAlwaysOn
                                                       : Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(zoom == TZoom::Factor ? Qt::ScrollBarAsNeeded
                                                       : Qt::ScrollBarAlwaysOff);
    UpdateScrollBars();
    viewport()->update();
}

int TReportPreviewWidget::ZoomPercent() const {
    return int(std::lround(Scale() * 96.0 / logicalDpiX() * 100));
}

double TReportPreviewWidget::Scale() const {
    const double paperWidth = FPaper.WidthMm * UnitsPerMm;
    const double paperHeight = FPaper.HeightMm * UnitsPerMm;
    const double roomWidth = std::max(1, viewport()->width() - 2 * Desk);
    const double roomHeight = std::max(1, viewport()->height() - 2 * Desk);
    switch (FZoom) {
    case TZoom::FitWidth:
        return roomWidth / paperWidth;
    case TZoom::FitPage:
        return std::min(roomWidth / paperWidth, roomHeight / paperHeight);
    case TZoom::Factor:
        break;
    }
    return FFactor * logicalDpiX() / 96.0;
}

bool TReportPreviewWidget::NarrowerThanPaper() const {
    const double trueWidth = FPaper.WidthMm * UnitsPerMm * logicalDpiX() / 96.0;
    return viewport()->width() < trueWidth + 2 * Desk;
}

QSizeF TReportPreviewWidget::PaperSize() const {
    const double scale = Scale();
    return {FPaper.WidthMm * UnitsPerMm * scale, FPaper.HeightMm * UnitsPerMm * scale};
}

QRectF TReportPreviewWidget::PaperRect() const {
    const QSizeF paper = PaperSize();
    const double left = std::max<double>(Desk, (viewport()->width() - paper.width()) / 2);
    const double top = std::max<double>(Desk, (viewport()->height() - paper.height()) / 2);
    return QRectF(QPointF(left - horizontalScrollBar()->value(),
                          top - verticalScrollBar()->value()),
                  paper);
}

void TReportPreviewWidget::UpdateScrollBars() {
    const QSizeF paper = PaperSize();
    const int width = int(std::ceil(paper.width())) + 2 * Desk;
    const int height = int(std::ceil(paper.height())) + 2 * Desk;
    horizontalScrollBar()->setRange(0, std::max(0, width - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    verticalScrollBar()->setRange(0, std::max(0, height - viewport()->height()));
    verticalScrollBar()->setPageStep(viewport()->height());
}

void TReportPreviewWidget::UpdateDescription() {
    setAccessibleDescription(QStringLiteral("Page %1 of %2").arg(FPage + 1).arg(PageCount()));
}

void TReportPreviewWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
    if (FZoom != TZoom::Factor)
        Q_EMIT FittedZoomChanged();
}

void TReportPreviewWidget::scrollContentsBy(int, int) {
    viewport()->update();
}

bool TReportPreviewWidget::TurnPage(int steps) {
    const int target = FPage + steps;
    if (target < 0 || target >= PageCount())
        return false;
    SetPage(target);
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(steps > 0 ? bar->minimum() : bar->maximum());
    Q_EMIT PageChanged(FPage);
    return true;
}

void TReportPreviewWidget::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (event->modifiers() & Qt::ControlModifier) {
        if (notches != 0) {
            SetZoom(TZoom::Factor, Scale() * 96.0 / logicalDpiX() * std::pow(WheelZoomStep, notches));
            Q_EMIT ZoomChanged();
        }
        event->accept();
        return;
    }
    const QScrollBar* bar = verticalScrollBar();
    const bool atEnd = notches < 0 && bar->value() == bar->maximum();
    const bool atStart = notches > 0 && bar->value() == bar->minimum();
    if ((atEnd && TurnPage(1)) || (atStart && TurnPage(-1))) {
        event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(event);
}

void TReportPreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), QColor(128, 128, 128));
    const QRectF paper = PaperRect();
    painter.fillRect(paper.translated(3, 3), QColor(64, 64, 64));
    painter.fillRect(paper, Qt::white);
    if (FPages.empty())
        return;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const double scale = Scale();
    painter.translate(paper.topLeft() + QPointF(FPaper.MarginMm * UnitsPerMm * scale,
                                                FPaper.MarginMm * UnitsPerMm * scale));
    painter.scale(scale, scale);
    PaintReportPage(painter, FPages[std::size_t(FPage)]);
}
