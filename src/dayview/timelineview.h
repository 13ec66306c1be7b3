#pragma once

#include "dayview/dayviewgeometry.h"
#include "dayview/timelinerules.h"

#include <functional>

#include <QDate>
#include <QImage>
#include <QTime>
#include <QWidget>

class QLabel;
class QMouseEvent;
class QScrollArea;
class QToolButton;
class TBlock;
class TDay;
class TTimelineView;

// The header strip above the day: hour labels, ticks and the current-time marker.
class TTimelineHeader : public QWidget {
    Q_OBJECT
public:
    explicit TTimelineHeader(TTimelineView& view);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TTimelineView& FView;
};

// The day's paint box. The day is painted into an image once for every change and the paint
// event copies it, so that the outline of a dragged block is drawn and erased over it
// without painting the day again.
class TTimelineDay : public QWidget {
    Q_OBJECT
public:
    explicit TTimelineDay(TTimelineView& view);

    // Paints the day again at the next paint event.
    void Invalidate();
    // How often the day itself was painted (not merely copied).
    int DayPaints() const { return FDayPaints; }
    void SetOutline(const QRect& outline);
    const QRect& Outline() const { return FOutline; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    TTimelineView& FView;
    QImage FImage;
    bool FValid = false;
    int FDayPaints = 0;
    QRect FOutline;
};

// The day timeline: the header and the day in the scroll box, the zoom buttons and the day's
// hours label. It paints the day it is given (owned by the loaded month) with the settings it
// is given; the window that holds it decides what the mouse does with blocks.
class TTimelineView : public QWidget {
    Q_OBJECT
public:
    // What the timeline needs of the settings.
    struct TSettings {
        TBlockColours Colours;
        int TimeStep = 25;
        double TargetDailyHours = 8;
        bool DecimalDurationFormat = true;
    };

    explicit TTimelineView(QWidget* parent = nullptr);

    void SetSettings(const TSettings& settings);
    const TSettings& Settings() const { return FSettings; }
    // The day shown, none for an empty timeline.
    void SetDay(TDay* day);
    TDay* Day() const { return FDay; }
    void SetSelectedBlock(const TBlock* block);
    const TBlock* SelectedBlock() const { return FSelected; }

    // The clock and the calendar's today, replaceable for tests.
    std::function<QTime()> Clock = [] { return QTime::currentTime(); };
    std::function<QDate()> Today = [] { return QDate::currentDate(); };
    // Called with the new width in screen pixels whenever the zoom changes.
    std::function<void(int width)> OnWidthChanged;
    // Called whenever the day is painted again (a change of its blocks or of the selection).
    std::function<void()> OnDayRepainted;
    // The mouse on the day; the owner decides what it does to blocks.
    std::function<void(QMouseEvent& event)> OnDayMousePress;
    std::function<void(QMouseEvent& event)> OnDayMouseMove;
    std::function<void(QMouseEvent& event)> OnDayMouseRelease;

    int ZoomWidth() const { return FZoomWidth; }
    // The snapped zoom; keeps the time in the middle of the view where it was.
    void SetZoom(int width);
    void ZoomIn() { SetZoom(ZoomedIn(FZoomWidth)); }
    void ZoomOut() { SetZoom(ZoomedOut(FZoomWidth)); }
    void UpdateZoomButtons();
    // The timeline's width in screen pixels.
    int DayWidth() const;
    // Positions and times of the timeline, both ways, and the hit test on the day shown.
    const TDayView& View() const { return FGeometry; }
    int CurrentTimeOfDay() const { return TimeOfDay(Clock()); }
    int ViewCentreTime() const;
    // A negative time means now.
    void ScrollToTime(int time);
    void ScrollToBlock(const TBlock* block);
    void ShowMorning() { ScrollToTime(800); }
    void ShowDayTime() { ScrollToTime(1200); }
    void ShowEvening() { ScrollToTime(1600); }
    // The timeline's part of "today": the current time in view (the owner moves the calendar).
    void ShowNow() {
        ScrollToTime(-1);
        UpdateZoomButtons();
    }
    // Paints the day again and sets its hours label.
    void RepaintDay();
    // Draws the outline of block as it is being dragged; drawing it again at the same place
    // erases it, and none erases any outline.
    void DrawDragOutline(const TBlock* block);
    double DayHours() const { return FDayHours; }

    QScrollArea* ScrollBox = nullptr;
    TTimelineHeader* pbxHeader = nullptr;
    TTimelineDay* pbxDay = nullptr;
    QWidget* pnlZoom = nullptr;
    QToolButton* btnZoomIn = nullptr;
    QToolButton* btnZoomOut = nullptr;
    // Placed at the top of the view unless the owner gives it a parent of its own.
    QLabel* lblDayHours = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class TTimelineDay;
    // Paints the day into painter and sets the hours label.
    void PaintDayInto(class QPainter& painter);
    void LayOut();
    int ScreenPixels(int pixels) const;

    void UpdateGeometry();

    TSettings FSettings;
    TDayView FGeometry;
    TDay* FDay = nullptr;
    const TBlock* FSelected = nullptr;
    int FZoomWidth = DefaultZoomWidth;
    double FDayHours = 0;
    QWidget* FContent = nullptr;
};
