#pragma once

#include "calendar/calendargeometry.h"

#include <array>
#include <functional>

#include <QDate>
#include <QFont>
#include <QImage>
#include <QWidget>

class QPainter;

enum TTextEffect { etNone, etShadow, etCutout };
enum TMarkDayType { mdNone, mdText, mdGraphic };

// A self-drawn month calendar: a title row with the month and year and two arrows that page
// months, a row of day names and six week rows of day numbers. It can show a picture as its
// background, draw its texts plain, shadowed or cut out, mark the selected day in several
// styles and mark chosen days (those that hold time) with coloured numbers or a clock. Its
// font follows its size. It takes mouse input but not the keyboard focus.
//
// Colours are colour numbers (red in the low byte, colornumber.h). Every change of date asks
// OnChangeQuery first, which may refuse it, and raises OnChange once it is made.
class TGraphicCalendar : public QWidget {
    Q_OBJECT

public:
    // The colour properties by their index, as the owner sets them in turn.
    enum TColorIndex {
        ciColor = 1,
        ciLineColor,
        ciSelectionBackground,
        ciTitleBackground,
        ciDayMarkerLine,
        ciDayMarkerFill,
        ciDayMarkerText
    };
    // Which arrow is held down: -1 the left one, 0 none, +1 the right one.
    using TArrow = int;

    explicit TGraphicCalendar(QWidget* parent = nullptr);

    std::function<void(TGraphicCalendar* sender)> OnChange;
    // allowChange starts true; the owner sets it false to refuse the change of date.
    std::function<void(TGraphicCalendar* sender, bool& allowChange)> OnChangeQuery;
    // Lets the owner change the font of day's number before it is drawn.
    std::function<void(TGraphicCalendar* sender, QFont& font, int day)> OnDateText;
    // A press on a day of the grid, after any change of date it made.
    std::function<void(TGraphicCalendar* sender)> OnClick;
    std::function<void(TGraphicCalendar* sender)> OnPaint;

    QDate Date() const { return FDate; }
    void SetDate(QDate date);
    int Year() const { return FDate.year(); }
    int Month() const { return FDate.month(); }
    int Day() const { return FDate.day(); }
    void SetYear(int year);
    void SetMonth(int month);
    void SetDay(int day);

    int ColorProperty(int index) const;
    void SetColorProperty(int index, int number);
    int Color() const { return ColorProperty(ciColor); }
    void SetColor(int number) { SetColorProperty(ciColor, number); }
    int LineColor() const { return ColorProperty(ciLineColor); }
    void SetLineColor(int number) { SetColorProperty(ciLineColor, number); }
    int SelectionBackground() const { return ColorProperty(ciSelectionBackground); }
    void SetSelectionBackground(int number) { SetColorProperty(ciSelectionBackground, number); }
    int TitleBackground() const { return ColorProperty(ciTitleBackground); }
    void SetTitleBackground(int number) { SetColorProperty(ciTitleBackground, number); }
    int DayMarkerLine() const { return ColorProperty(ciDayMarkerLine); }
    void SetDayMarkerLine(int number) { SetColorProperty(ciDayMarkerLine, number); }
    int DayMarkerFill() const { return ColorProperty(ciDayMarkerFill); }
    void SetDayMarkerFill(int number) { SetColorProperty(ciDayMarkerFill, number); }
    int DayMarkerText() const { return ColorProperty(ciDayMarkerText); }
    void SetDayMarkerText(int number) { SetColorProperty(ciDayMarkerText, number); }

    TTextEffect CalendarTextEffect() const { return FCalendarTextEffect; }
    void SetCalendarTextEffect(TTextEffect effect);
    TTextEffect TitleTextEffect() const { return FTitleTextEffect; }
    void SetTitleTextEffect(TTextEffect effect);
    // Bits of TSelectionStyle (calendarsetup.h).
    int SelectionStyle() const { return FSelectionStyle; }
    void SetSelectionStyle(int style);
    bool AllowNavigation() const { return FAllowNavigation; }
    void SetAllowNavigation(bool allow);
    bool AllowSelectNavigation() const { return FAllowSelectNavigation; }
    void SetAllowSelectNavigation(bool allow) { FAllowSelectNavigation = allow; }
    bool DayLines() const { return FDayLines; }
    void SetDayLines(bool lines);
    bool ShortDays() const { return FShortDays; }
    void SetShortDays(bool shortDays);
    // The first column's weekday: 0 Sunday ... 6 Saturday.
    int StartOfWeek() const { return FStartOfWeek; }
    void SetStartOfWeek(int day);
    double FontScale() const { return FFontScale; }
    void SetFontScale(double scale);
    // Does not repaint; the owner refreshes.
    TMarkDayType MarkDays() const { return FMarkDays; }
    void SetMarkDays(TMarkDayType mark) { FMarkDays = mark; }
    bool ShowPicture() const { return FShowPicture; }
    void SetShowPicture(bool show);
    TPictureFitType PictureFitType() const { return FPictureFitType; }
    void SetPictureFitType(TPictureFitType fit);
    const QImage& Picture() const { return FPicture; }

    // Loads a bitmap or JPEG as the background and shows it; a file that cannot be read
    // leaves everything as it was.
    void LoadPicture(const QString& fileName);
    // flags[d] marks day d (1 ... 31; index 0 and indexes past 31 are not looked at).
    void SetMarkedDays(const std::array<bool, 32>& flags);
    bool IsMarked(int day) const { return day >= 1 && day <= 31 && FMarkedDays[day]; }

    TMonthLayout Layout() const { return TMonthLayout(FDate, FStartOfWeek); }
    TArrow HeldArrow() const { return FHeldArrow; }
    // The point size the font takes for the current size and font scale.
    int FittedPointSize() const;
    // Pages one month back (step -1) or forward (+1), asking OnChangeQuery first.
    void PageMonth(int step);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool ChangeAllowed();
    // Takes a date that OnChangeQuery allowed: repaints, raises OnChange and tells assistive
    // technology about the new selection.
    void DateChanged(QDate date);
    void Render(QPainter& painter);
    void PaintBackground(QPainter& painter);
    void PaintCell(QPainter& painter, QFont font, int column, int week);
    void PaintSelection(QPainter& painter, const QRect& cell);
    void PaintText(QPainter& painter, const QRect& cell, int top, const QString& text,
                   const QColor& color, TTextEffect effect, const QColor& shadow);
    void PaintClock(QPainter& painter, const QRect& cell, int textWidth, int textHeight);
    void PaintTitle(QPainter& painter, const QFont& font);
    void PaintArrow(QPainter& painter, const QRect& box, bool left, bool sunken);
    QString DayName(int column) const;
    // The picture scaled for the control's size and fit, made again only when either changed.
    const QImage& ScaledPicture();
    bool HasPicture() const { return FShowPicture && !FPicture.isNull(); }

    QDate FDate;
    std::array<int, 8> FColors{};
    TTextEffect FCalendarTextEffect = etNone;
    TTextEffect FTitleTextEffect = etNone;
    int FSelectionStyle = 0;
    bool FAllowNavigation = true;
    bool FAllowSelectNavigation = true;
    bool FDayLines = true;
    bool FShortDays = false;
    int FStartOfWeek = 0;
    double FFontScale = 1.9;
    TMarkDayType FMarkDays = mdNone;
    bool FShowPicture = false;
    TPictureFitType FPictureFitType = ftBestAspect;
    QImage FPicture;
    QImage FScaled;
    QRect FScaledTarget;
    TPictureFitType FScaledFit = ftBestAspect;
    std::array<bool, 32> FMarkedDays{};
    TArrow FHeldArrow = 0;
};
