#include "widgets/toolglyphs.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace {
// Draws the glyph on a 16 × 16 grid scaled to the rectangle.
class TGlyphEngine : public QIconEngine {
public:
    explicit TGlyphEngine(TToolGlyph glyph) : FGlyph(glyph) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const qreal side = qMin(rect.width(), rect.height());
        painter->translate(rect.x() + (rect.width() - side) / 2.0,
                           rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 16.0, side / 16.0);
        FDisabled = mode == QIcon::Disabled;
        Draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pixmap((QSizeF(size) * scale).toSize());
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new TGlyphEngine(FGlyph); }

private:
    QColor Tint(QColor colour) const {
        if (!FDisabled)
            return colour;
        const int grey = qGray(colour.rgb());
        return QColor(160 + grey / 4, 160 + grey / 4, 160 + grey / 4);
    }
    QPen Pen(QColor colour, qreal width = 1.2) const {
        return QPen(Tint(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    }

    void Draw(QPainter& p) const;
    void DrawRays(QPainter& p, QPointF centre, qreal inner, qreal outer, int from, int to) const;
    void DrawPadlock(QPainter& p, bool open) const;
    void DrawPageArrow(QPainter& p) const;
    void DrawSortArrow(QPainter& p) const;
    void DrawMoveArrow(QPainter& p) const;

    TToolGlyph FGlyph;
    mutable bool FDisabled = false;
};

void TGlyphEngine::DrawRays(QPainter& p, QPointF centre, qreal inner, qreal outer, int from,
                            int to) const {
    p.setPen(Pen(QColor(230, 140, 0)));
    for (int degrees = from; degrees <= to; degrees += 45) {
        const qreal angle = qDegreesToRadians(qreal(degrees));
        const QPointF direction(qCos(angle), -qSin(angle));
        p.drawLine(centre + direction * inner, centre + direction * outer);
    }
}

void TGlyphEngine::DrawPadlock(QPainter& p, bool open) const {
    p.setPen(Pen(QColor(90, 90, 90), 1.6));
    p.setBrush(Qt::NoBrush);
    QPainterPath shackle;
    const qreal left = open ? 8.5 : 4.5;
    shackle.moveTo(left, open ? 5.5 : 8);
    shackle.arcTo(QRectF(left, 1.5, 7, 7), 180, -180);
    shackle.lineTo(left + 7, 8);
    p.drawPath(shackle);
    p.setPen(Pen(QColor(150, 100, 0), 1));
    p.setBrush(Tint(QColor(240, 190, 40)));
    p.drawRoundedRect(QRectF(2.5, 7.5, 11, 7.5), 1.2, 1.2);
    p.setPen(Pen(QColor(110, 70, 0), 1.4));
    p.drawLine(QPointF(8, 10.2), QPointF(8, 12.4));
}

void TGlyphEngine::Draw(QPainter& p) const {
    switch (FGlyph) {
    case TToolGlyph::Today:
        p.setPen(Pen(QColor(70, 70, 70), 1));
        p.setBrush(Tint(Qt::white));
        p.drawRoundedRect(QRectF(1.5, 2.5, 13, 12), 1.5, 1.5);
        p.setPen(Qt::NoPen);
        p.setBrush(Tint(QColor(200, 40, 40)));
        p.drawRect(QRectF(2, 3, 12, 3));
        p.setBrush(Tint(QColor(40, 90, 200)));
        p.drawRect(QRectF(9, 9.5, 3, 3));
        p.setBrush(Tint(QColor(150, 150, 150)));
        for (int column = 0; column < 3; ++column)
            p.drawRect(QRectF(3.5 + column * 3, 7.5, 1.5, 1.2));
        break;
    case TToolGlyph::Morning:
        p.setPen(Qt::NoPen);
        p.setBrush(Tint(QColor(255, 190, 40)));
        p.drawPie(QRectF(3.5, 6.5, 9, 9), 0, 180 * 16);
        DrawRays(p, QPointF(8, 11), 6, 7.8, 0, 180);
        p.setPen(Pen(QColor(60, 120, 60), 1.4));
        p.drawLine(QPointF(1, 11.5), QPointF(15, 11.5));
        break;
    case TToolGlyph::DayTime:
        p.setPen(Qt::NoPen);
        p.setBrush(Tint(QColor(255, 200, 30)));
        p.drawEllipse(QPointF(8, 8), 3.8, 3.8);
        DrawRays(p, QPointF(8, 8), 5.3, 7.4, 0, 315);
        break;
    case TToolGlyph::Evening: {
        QPainterPath moon;
        moon.addEllipse(QPointF(8, 8), 6, 6);
        QPainterPath bite;
        bite.addEllipse(QPointF(11, 5.5), 5.2, 5.2);
        p.setPen(Qt::NoPen);
        p.setBrush(Tint(QColor(60, 70, 150)));
        p.drawPath(moon.subtracted(bite));
        break;
    }
    case TToolGlyph::Lock:
        DrawPadlock(p, false);
        break;
    case TToolGlyph::Unlock:
        DrawPadlock(p, true);
        break;
    case TToolGlyph::Undo: {
        p.setPen(Pen(QColor(40, 90, 170), 1.8));
        p.setBrush(Qt::NoBrush);
        QPainterPath arrow;
        arrow.moveTo(4, 6.5);
        arrow.cubicTo(QPointF(9, 2.5), QPointF(15, 6), QPointF(12, 12.5));
        p.drawPath(arrow);
        p.setPen(Qt::NoPen);
        p.setBrush(Tint(QColor(40, 90, 170)));
        p.drawPolygon(QPolygonF({QPointF(1.5, 8.5), QPointF(6.8, 3.2), QPointF(7.4, 9.6)}));
        break;
    }
    case TToolGlyph::Search:
        p.setPen(Pen(QColor(60, 60, 60), 1.8));
        p.setBrush(Tint(QColor(210, 230, 250)));
        p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
        p.setPen(Pen(QColor(120, 80, 30), 2.6));
        p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
        break;
    case TToolGlyph::Report:
    case TToolGlyph::Export:
        p.setPen(Pen(QColor(90, 90, 90), 1));
        p.setBrush(Tint(Qt::white));
        p.drawRect(QRectF(2.5, 1.5, 10, 13));
        p.setPen(Pen(QColor(110, 110, 110), 1));
        for (int line = 0; line < 4; ++line)
            p.drawLine(QPointF(4.5, 4.5 + line * 2.5), QPointF(10.5, 4.5 + line * 2.5));
        if (FGlyph == TToolGlyph::Report) {
            p.setPen(Qt::NoPen);
            p.setBrush(Tint(QColor(40, 150, 60)));
            p.drawRect(QRectF(8.5, 10, 2, 4));
            p.setBrush(Tint(QColor(40, 90, 200)));
            p.drawRect(QRectF(11.5, 7.5, 2, 6.5));
        } else {
            p.setPen(Pen(QColor(30, 130, 60), 2));
            p.drawLine(QPointF(8, 11.5), QPointF(14.5, 11.5));
            p.drawLine(QPointF(12, 9), QPointF(14.5, 11.5));
            p.drawLine(QPointF(12, 14), QPointF(14.5, 11.5));
        }
        break;
    case TToolGlyph::Setup: {
        QPainterPath gear;
        for (int tooth = 0; tooth < 8; ++tooth) {
            const qreal angle = qDegreesToRadians(tooth * 45.0);
            const QPointF direction(qCos(angle), qSin(angle));
            const QPointF side(-direction.y(), direction.x());
            const QPointF centre(8, 8);
            QPolygonF shape({centre + direction * 4.5 + side * 1.6, centre + direction * 7.3 + side * 1.2,
                             centre + direction * 7.3 - side * 1.2, centre + direction * 4.5 - side * 1.6});
            gear.addPolygon(shape);
        }
        gear.addEllipse(QPointF(8, 8), 5.2, 5.2);
        QPainterPath hole;
        hole.addEllipse(QPointF(8, 8), 2.2, 2.2);
        p.setPen(Pen(QColor(70, 70, 70), 0.8));
        p.setBrush(Tint(QColor(150, 160, 175)));
        p.drawPath(gear.simplified().subtracted(hole));
        break;
    }
    case TToolGlyph::Help: {
        p.setPen(Qt::NoPen);
        p.setBrush(Tint(QColor(40, 100, 200)));
        p.drawEllipse(QPointF(8, 8), 7, 7);
        QFont font = p.font();
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Tint(Qt::white));
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case TToolGlyph::Close:
        p.setPen(Pen(QColor(190, 30, 30), 2.2));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case TToolGlyph::FirstPage:
    case TToolGlyph::PriorPage:
    case TToolGlyph::NextPage:
    case TToolGlyph::LastPage:
        DrawPageArrow(p);
        break;
    case TToolGlyph::SortUp:
    case TToolGlyph::SortDown:
        DrawSortArrow(p);
        break;
    case TToolGlyph::MoveRight:
    case TToolGlyph::MoveAllRight:
    case TToolGlyph::MoveLeft:
    case TToolGlyph::MoveAllLeft:
        DrawMoveArrow(p);
        break;
    }
}

// A triangle pointing left or right, with a bar before it for the first and last page.
void TGlyphEngine::DrawPageArrow(QPainter& p) const {
    const bool forward = FGlyph == TToolGlyph::NextPage || FGlyph == TToolGlyph::LastPage;
    const bool toEnd = FGlyph == TToolGlyph::FirstPage || FGlyph == TToolGlyph::LastPage;
    if (!forward) { // mirror, so one drawing serves both directions
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    const QColor navy(20, 40, 120);
    p.setPen(Pen(navy, 1));
    p.setBrush(Tint(navy));
    const qreal left = toEnd ? 4.5 : 5.5;
    p.drawPolygon(QPolygonF{QPointF(left, 3.5), QPointF(left + 7, 8), QPointF(left, 12.5)});
    if (toEnd)
        p.drawRect(QRectF(11.5, 3.5, 1.5, 9));
}

// A small triangle pointing up (ascending) or down (descending), to sit beside a caption.
void TGlyphEngine::DrawSortArrow(QPainter& p) const {
    if (FGlyph == TToolGlyph::SortDown) {
        p.translate(0, 16);
        p.scale(1, -1);
    }
    const QColor grey(70, 70, 70);
    p.setPen(Pen(grey, 0.8));
    p.setBrush(Tint(grey));
    p.drawPolygon(QPolygonF{QPointF(4, 10.5), QPointF(8, 5.5), QPointF(12, 10.5)});
}

// One triangle pointing right or left, or two of them for moving every row.
void TGlyphEngine::DrawMoveArrow(QPainter& p) const {
    const bool left = FGlyph == TToolGlyph::MoveLeft || FGlyph == TToolGlyph::MoveAllLeft;
    const bool all = FGlyph == TToolGlyph::MoveAllRight || FGlyph == TToolGlyph::MoveAllLeft;
    if (left) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    const QColor navy(20, 40, 120);
    p.setPen(Pen(navy, 1));
    p.setBrush(Tint(navy));
    const auto triangle = [&p](qreal from) {
        p.drawPolygon(QPolygonF{QPointF(from, 3.5), QPointF(from + 6, 8), QPointF(from, 12.5)});
    };
    if (all) {
        triangle(2);
        triangle(8.5);
    } else {
        triangle(5);
    }
}
} // namespace

QIcon ToolGlyph(TToolGlyph glyph) {
    return QIcon(new TGlyphEngine(glyph));
}
