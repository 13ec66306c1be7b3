#include "blockpalette.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

std::array<TPaletteSlot, 6> PaletteSlots(int timeStep) {
    const auto block = [](int minutes, const char* caption) {
        return TPaletteSlot{minutes, QString::fromLatin1(caption)};
    };
    const TPaletteSlot favourite{0, QStringLiteral("New &Favourite")};
    if (timeStep == 10)
        return {block(6, "New &6 Mins"), block(18, "New &18 Mins"), block(30, "New &30 Mins"),
                block(42, "New &42 Mins"), block(60, "New &Hour"), favourite};
    if (timeStep == 17)
        return {block(10, "New &10 Mins"), block(20, "New &20 Mins"), block(30, "New &30 Mins"),
                block(40, "New &40 Mins"), block(60, "New &Hour"), favourite};
    return {block(15, "New &15 Mins"), block(30, "New &30 Mins"), block(45, "New &45 Mins"),
            block(60, "New &Hour"), favourite, TPaletteSlot{}};
}

QString PaletteHint(int minutes) {
    return QString::number(minutes) + QStringLiteral(" min activity block");
}

TPalettePicture::TPalettePicture(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void TPalettePicture::ShowBlock(int minutes, QColor colour) {
    Tag = minutes;
    FColour = colour;
    setToolTip(PaletteHint(minutes));
    setAccessibleName(toolTip());
    update();
}

void TPalettePicture::ShowFavourite(bool available) {
    Tag = 0;
    FFavouriteAvailable = available;
    setEnabled(available);
    update();
}

void TPalettePicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(width(), height());
    painter.scale(side / 31.0, side / 31.0);
    if (IsFavourite()) {
        QPainterPath star;
        for (int point = 0; point < 10; ++point) {
            const qreal radius = point % 2 ? 6.0 : 14.0;
            const qreal angle = qDegreesToRadians(-90.0 + point * 36.0);
            const QPointF at(15.5 + radius * qCos(angle), 16.0 + radius * qSin(angle));
            point == 0 ? star.moveTo(at) : star.lineTo(at);
        }
        star.closeSubpath();
        painter.setPen(QPen(FFavouriteAvailable ? QColor(150, 100, 0) : QColor(150, 150, 150), 1));
        painter.setBrush(FFavouriteAvailable ? QColor(255, 200, 40) : QColor(215, 215, 215));
        painter.drawPath(star);
        return;
    }
    const QRectF face(2.5, 2.5, 26, 26);
    painter.setPen(QPen(QColor(128, 128, 128), 1.5));
    painter.setBrush(Qt::white);
    painter.drawEllipse(face);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isEnabled() ? FColour : QColor(200, 200, 200));
    const QRectF filled = face.adjusted(2, 2, -2, -2);
    if (Tag >= 60)
        painter.drawEllipse(filled);
    else
        painter.drawPie(filled, 90 * 16, -Tag * 6 * 16); // from twelve o'clock, clockwise
}

void TPalettePicture::mousePressEvent(QMouseEvent* event) {
    if (OnMousePress)
        OnMousePress(*this, *event);
}

void TPalettePicture::mouseMoveEvent(QMouseEvent* event) {
    if (OnMouseMove)
        OnMouseMove(*this, *event);
}

void TPalettePicture::mouseReleaseEvent(QMouseEvent* event) {
    if (OnMouseRelease)
        OnMouseRelease(*this, *event);
}
