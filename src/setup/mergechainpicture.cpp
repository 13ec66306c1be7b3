#include "mergechainpicture.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
const QColor ColumnFill(70, 130, 200);
const QColor ColumnLine(30, 80, 150);
const QColor ChainLine(200, 120, 20);

// A column: a small filled bar standing for a column of the file.
void DrawColumn(QPainter& painter) {
    painter.setPen(QPen(ColumnLine, 1));
    painter.setBrush(ColumnFill);
    painter.drawRoundedRect(QRectF(4.5, 3.5, 7, 9), 1.2, 1.2);
}

// The link of a chain: an orange line above and/or below the column.
void DrawLinks(QPainter& painter, bool up, bool down) {
    painter.setPen(QPen(ChainLine, 2, Qt::SolidLine, Qt::FlatCap));
    if (up)
        painter.drawLine(QPointF(8, 0), QPointF(8, 3.5));
    if (down)
        painter.drawLine(QPointF(8, 12.5), QPointF(8, 16));
}

// A group: a folder.
void DrawGroup(QPainter& painter) {
    painter.setPen(QPen(QColor(150, 110, 20), 1));
    painter.setBrush(QColor(240, 200, 90));
    QPainterPath folder;
    folder.moveTo(1.5, 4.5);
    folder.lineTo(6, 4.5);
    folder.lineTo(7.5, 6);
    folder.lineTo(14.5, 6);
    folder.lineTo(14.5, 13.5);
    folder.lineTo(1.5, 13.5);
    folder.closeSubpath();
    painter.drawPath(folder);
}

QPixmap ChainMark(int index, qreal ratio) {
    QPixmap picture(QSize(qRound(16 * ratio), qRound(16 * ratio)));
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    if (index == 5) {
        DrawGroup(painter);
        return picture;
    }
    DrawLinks(painter, index == 3 || index == 4, index == 2 || index == 3);
    DrawColumn(painter);
    return picture;
}
} // namespace

QIcon MergeChainPicture(int index) {
    if (index < 1 || index > 5)
        return {};
    QIcon icon;
    for (const qreal ratio : {1.0, 1.5, 2.0, 3.0})
        icon.addPixmap(ChainMark(index, ratio));
    return icon;
}

int MergeChainIndex(bool previousMerges, bool merges, bool hasNext) {
    const bool continues = merges && hasNext;
    if (previousMerges)
        return continues ? 3 : 4;
    return continues ? 2 : 1;
}
