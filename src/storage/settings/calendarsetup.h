#pragma once

#include <QString>

// The look of the month calendar. Colours are the settings files' decimal numbers of the
// colour's blue-green-red bytes.
struct TCalendarSetup {
    int TitleEffect = 0; // 0 none, 1 shadow, 2 cut-out
    int TextEffect = 0;
    int TitleBackground = 15780518;
    int Background = 14811135;
    int LineColor = 16711680;
    int SelectionBackground = 15780518;
    int DayMarkerFill = 16777215;
    int DayMarkerLine = 8421504;
    int DayMarkerText = 32768;
    int MarkDays = 0; // 0 none, 1 text, 2 graphic
    bool ShowPictures = false;
    int FitType = 0; // 0 best aspect, 1 fit aspect, 2 stretch
    QString PicturePath;
    QString LastPictureName;
    int PictureChangeType = 0; // 0 never, 1 each month, other each day
    int SelectionStyle = 24;   // bits: square 1, circle 2, dot 4, line 8, fill 16

    bool operator==(const TCalendarSetup&) const = default;
};

// Selection style bits.
enum TSelectionStyle { ssSquare = 1, ssCircle = 2, ssDot = 4, ssLine = 8, ssFill = 16 };
