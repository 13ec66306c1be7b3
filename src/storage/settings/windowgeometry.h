#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

// The main window's size, monitor and zoom as the personal settings keep them ([Window]
// "Size", "Left", "Zoom"), and the arithmetic the main window applies to them. Sizes in the
// file are at 96 pixels per inch.
struct TWindowSettings {
    QString Size = QStringLiteral("552,550"); // width "," height, or "max"
    int Left = 1;                             // chooses the monitor
    int Zoom = 1250;                          // the day timeline's zoom
};

inline constexpr QSize DefaultWindowSize{552, 550};

// How much larger than at 96 pixels per inch windows are drawn on a screen of ppi:
// ((ppi / 96 - 0.75) / 0.25 * 0.31 + 0.69); exactly 1 at 96.
double ScreenSizeFactor(int ppi);
// Pixels at 96 ppi as pixels of a screen of ppi (logical dots per inch), and back; unchanged
// at 96. Qt's device pixel ratio does the rest on high-density screens.
int ScaleToScreen(int pixels, int ppi);
int ScaleFromScreen(int pixels, int ppi);

struct TWindowSize {
    bool Maximised = false;
    QSize Size; // in screen pixels
};

// Reads "Size": "max" (any case, blanks ignored) maximises; otherwise width "," height scaled
// for the screen; a part that is not a whole number gives the default size, scaled.
TWindowSize ParseWindowSize(const QString& text, int ppi);

// "max", or width "," height converted back to 96 pixels per inch; searchPanelWidth (screen
// pixels) is left out of the width when the search panel is open.
QString WindowSizeText(bool maximised, QSize size, int ppi, int searchPanelWidth = 0);

// The first monitor, in the given order, at which the running total of monitor widths reaches
// left; the first monitor when none does. -1 when there are no monitors.
int ChooseMonitor(int left, const QList<QRect>& monitors);

// The window's top-left corner that centres it on the monitor (halves cut toward zero).
QPoint CentreOnMonitor(const QRect& monitor, QSize window);
