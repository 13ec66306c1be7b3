#include "dragcursors.h"

#include <QPixmap>

QCursor TimeFlysCursor(bool copy, qreal devicePixelRatio) {
    const bool large = devicePixelRatio > 1.5;
    const QString name = QStringLiteral(":/cursors/") +
                         (copy ? QStringLiteral("timeflysplus") : QStringLiteral("timeflys")) +
                         (large ? QStringLiteral("@2x.png") : QStringLiteral(".png"));
    QPixmap picture(name);
    picture.setDevicePixelRatio(large ? 2.0 : 1.0);
    return QCursor(picture, 1, 1);
}
