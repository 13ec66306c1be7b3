#include "windowgeometry.h"

#include <cmath>

double ScreenSizeFactor(int ppi) {
    if (ppi == 96)
        return 1.0;
    return (ppi / 96.0 - 0.75) / 0.25 * 0.31 + 0.69;
}

int ScaleToScreen(int pixels, int ppi) {
    return ppi == 96 ? pixels : int(std::lround(pixels * ScreenSizeFactor(ppi)));
}

int ScaleFromScreen(int pixels, int ppi) {
    return ppi == 96 ? pixels : int(std::lround(pixels / ScreenSizeFactor(ppi)));
}

TWindowSize ParseWindowSize(const QString& text, int ppi) {
    const QString size = text.trimmed().toLower();
    if (size == QLatin1String("max"))
        return {true,
                {ScaleToScreen(DefaultWindowSize.width(), ppi),
                 ScaleToScreen(DefaultWindowSize.height(), ppi)}};
    const qsizetype comma = size.indexOf(QLatin1Char(','));
    bool widthOk = false;
    bool heightOk = false;
    const int width = comma < 0 ? 0 : size.left(comma).toInt(&widthOk);
    const int height = comma < 0 ? 0 : size.mid(comma + 1).toInt(&heightOk);
    if (!widthOk || !heightOk)
        return {false,
                {ScaleToScreen(DefaultWindowSize.width(), ppi),
                 ScaleToScreen(DefaultWindowSize.height(), ppi)}};
    return {false, {ScaleToScreen(width, ppi), ScaleToScreen(height, ppi)}};
}

QString WindowSizeText(bool maximised, QSize size, int ppi, int searchPanelWidth) {
    if (maximised)
        return QStringLiteral("max");
    return QString::number(ScaleFromScreen(size.width() - searchPanelWidth, ppi)) +
           QLatin1Char(',') + QString::number(ScaleFromScreen(size.height(), ppi));
}

int ChooseMonitor(int left, const QList<QRect>& monitors) {
    if (monitors.isEmpty())
        return -1;
    int total = 0;
    for (int i = 0; i < monitors.size(); ++i) {
        total += monitors.at(i).width();
        if (total >= left)
            return i;
    }
    return 0;
}

QPoint CentreOnMonitor(const QRect& monitor, QSize window) {
    return {monitor.left() + (monitor.width() - window.width()) / 2,
            monitor.top() + (monitor.height() - window.height()) / 2};
}
