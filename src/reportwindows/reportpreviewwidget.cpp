#include "reportpreviewwidget.h"

#include "reporting/engine/reportpainter.h"

#include <algorithm>

#include <QPainter>

namespace {
constexpr double UnitsPerMm = 96.0 / 25.4;
constexpr int Desk = 12; // pixels of desk around the paper
} // namespace

TReportPreviewWidget::TReportPreviewWidget(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ReportPreview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("Report page"));
}

void TReportPreviewWidget::SetPaper(const TReportPaper& paper) {
    FPaper = paper;
    update();
}

void TReportPreviewWidget::AddPage(TReportPage page) {
    FPages.push_back(std::move(page));
    setAccessibleDescription(QStringLiteral("Page %1 of %2").arg(FPage + 1).arg(PageCount()));
    if (FPages.size() == 1)
        update();
}

void TReportPreviewWidget::Clear() {
    FPages.clear();
    FPage = 0;
    update();
}

void TReportPreviewWidget::SetPage(int index) {
    FPage = std::clamp(index, 0, std::max(PageCount() - 1, 0));
    setAccessibleDescription(QStringLiteral("Page %1 of %2").arg(FPage + 1).arg(PageCount()));
    update();
}

void TReportPreviewWidget::SetZoom(TZoom zoom, double factor) {
    FZoom = zoom;
    FFactor = factor > 0 ? factor : 1.0;
    update();
}

double TReportPreviewWidget::Scale() const {
    const double paperWidth = FPaper.WidthMm * UnitsPerMm;
    const double paperHeight = FPaper.HeightMm * UnitsPerMm;
    const double roomWidth = std::max(1, width() - 2 * Desk);
    const double roomHeight = std::max(1, height() - 2 * Desk);
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

QRectF TReportPreviewWidget::PaperRect() const {
    const double scale = Scale();
    const QSizeF paper(FPaper.WidthMm * UnitsPerMm * scale, FPaper.HeightMm * UnitsPerMm * scale);
    const double left = std::max<double>(Desk, (width() - paper.width()) / 2);
    return QRectF(QPointF(left, Desk), paper);
}

void TReportPreviewWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor(128, 128, 128));
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
