#include "paintedpicture.h"

#include <QPainter>

TPaintedPicture::TPaintedPicture(TPaint paint, QWidget* parent)
    : QWidget(parent), FPaint(std::move(paint)) {}

void TPaintedPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    FPaint(painter, QRectF(rect()));
}
