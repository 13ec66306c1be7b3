#include "apppictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

namespace {
const QColor Ink(0x1d, 0x2b, 0x44);
const QColor TileTop(0x3a, 0x6d, 0xb0);
const QColor TileBottom(0x1f, 0x3f, 0x73);
const QColor Sun(0xf6, 0xc9, 0x2b);
const QColor Purple(0x5b, 0x2a, 0x86);

// The largest square of area, centred in it.
QRectF CentredSquare(const QRectF& area) {
    const qreal side = qMin(area.width(), area.height());
    return QRectF(area.center().x() - side / 2, area.center().y() - side / 2, side, side);
}

// A point at angle degrees clockwise from twelve o'clock, radius from centre.
QPointF OnDial(const QPointF& centre, qreal radius, qreal degrees) {
    const qreal radians = qDegreesToRadians(degrees);
    return centre + QPointF(radius * qSin(radians), -radius * qCos(radians));
}

void PaintClock(QPainter& painter, const QPointF& centre, qreal radius) {
    painter.setPen(QPen(Ink, radius * 0.09));
    painter.setBrush(Qt::white);
    painter.drawEllipse(centre, radius, radius);
    // The time since the hour: from twelve to four o'clock, clockwise.
    const QRectF face(centre.x() - radius * 0.86, centre.y() - radius * 0.86, radius * 1.72,
                      radius * 1.72);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Sun);
    painter.drawPie(face, 90 * 16, -120 * 16);
    painter.setPen(QPen(Ink, radius * 0.12, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, OnDial(centre, radius * 0.72, 0));
    painter.drawLine(centre, OnDial(centre, radius * 0.5, 120));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    painter.drawEllipse(centre, radius * 0.1, radius * 0.1);
}

// A quill lying from its nib at the lower left to its plume at the upper right of box.
void PaintQuill(QPainter& painter, const QRectF& box) {
    const QPointF nib = box.bottomLeft();
    const QPointF top = box.topRight();
    const QPointF along = top - nib;
    const QPointF across(-along.y() * 0.16, along.x() * 0.16);
    QPainterPath vane;
    vane.moveTo(nib + along * 0.18);
    vane.cubicTo(nib + along * 0.45 + across * 1.1, nib + along * 0.85 + across * 0.9, top);
    vane.cubicTo(nib + along * 0.8 - across * 0.5, nib + along * 0.4 - across * 0.7,
                 nib + along * 0.18);
    QLinearGradient shade(nib, top);
    shade.setColorAt(0, Purple.lighter(130));
    shade.setColorAt(1, Purple);
    painter.setPen(Qt::NoPen);
    painter.setBrush(shade);
    painter.drawPath(vane);
    painter.setPen(QPen(Ink, qMax<qreal>(1, box.height() * 0.025), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(nib, nib + along * 0.92);
}
} // namespace

void PaintEmblem(QPainter& painter, const QRectF& area) {
    const QRectF tile = CentredSquare(area).adjusted(1, 1, -1, -1);
    const qreal side = tile.width();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient blue(tile.topLeft(), tile.bottomLeft());
    blue.setColorAt(0, TileTop);
    blue.setColorAt(1, TileBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(blue);
    painter.drawRoundedRect(tile, side * 0.18, side * 0.18);
    PaintClock(painter, tile.center(), side * 0.34);
    painter.restore();
}

void PaintSplashPicture(QPainter& painter, const QRectF& area) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const qreal unit = qMin(area.width() / 2.2, area.height());
    const QRectF content(area.center().x() - unit * 1.05, area.center().y() - unit / 2, unit * 2.1,
                         unit);
    const qreal emblemSide = unit * 0.62;
    const QRectF emblem(content.left(), content.center().y() - emblemSide / 2, emblemSide,
                        emblemSide);
    PaintEmblem(painter, emblem);
    const QRectF words(emblem.right() + unit * 0.1, content.top(),
                       content.right() - emblem.right() - unit * 0.1, content.height());
    QFont name(QStringLiteral("Tahoma"));
    name.setPixelSize(qMax(1, qRound(unit * 0.3)));
    name.setBold(true);
    painter.setFont(name);
    painter.setPen(Purple);
    const QRectF nameBox(words.left(), words.top() + words.height() * 0.18, words.width(),
                         words.height() * 0.42);
    painter.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quillhour"));
    QFont tagline(QStringLiteral("Tahoma"));
    tagline.setPixelSize(qMax(1, qRound(unit * 0.1)));
    painter.setFont(tagline);
    painter.setPen(Ink);
    painter.drawText(QRectF(words.left(), nameBox.bottom(), words.width(), words.height() * 0.2),
                     Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Time sheets, hour by hour"));
    PaintQuill(painter, QRectF(words.right() - unit * 0.34, words.top() + unit * 0.02, unit * 0.32,
                               unit * 0.3));
    painter.restore();
}

void PaintTipBulb(QPainter& painter, const QRectF& area) {
    const QRectF box = CentredSquare(area);
    const qreal side = box.width();
    const QPointF glassCentre(box.center().x(), box.top() + side * 0.42);
    const qreal radius = side * 0.25;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    // Rays around the glass.
    painter.setPen(QPen(Sun.darker(115), side * 0.045, Qt::SolidLine, Qt::RoundCap));
    for (int degrees = -90; degrees <= 90; degrees += 45)
        painter.drawLine(OnDial(glassCentre, radius * 1.3, degrees),
                         OnDial(glassCentre, radius * 1.65, degrees));
    QRadialGradient glow(glassCentre - QPointF(radius * 0.3, radius * 0.3), radius * 1.4);
    glow.setColorAt(0, QColor(0xff, 0xf6, 0xc8));
    glow.setColorAt(1, Sun);
    painter.setPen(QPen(Ink, side * 0.035));
    painter.setBrush(glow);
    QPainterPath glass;
    glass.moveTo(glassCentre + QPointF(-radius * 0.45, radius * 0.85));
    glass.arcTo(QRectF(glassCentre.x() - radius, glassCentre.y() - radius, radius * 2, radius * 2),
                240, -300);
    glass.lineTo(glassCentre + QPointF(radius * 0.45, radius * 0.85));
    glass.closeSubpath();
    painter.drawPath(glass);
    // The screw base.
    painter.setBrush(QColor(0x9a, 0xa4, 0xb1));
    const qreal baseTop = glassCentre.y() + radius * 0.95;
    const qreal baseWidth = radius * 0.95;
    for (int ring = 0; ring < 3; ++ring)
        painter.drawRoundedRect(QRectF(glassCentre.x() - baseWidth / 2,
                                       baseTop + ring * side * 0.07, baseWidth, side * 0.06),
                                side * 0.02, side * 0.02);
    painter.restore();
}
