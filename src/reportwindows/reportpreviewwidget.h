#pragma once

#include "reporting/engine/reportlayouter.h"

#include <vector>

#include <QAbstractScrollArea>

// Shows one page of a report on a grey desk, at a zoom factor or fitted to the width or to the
// whole page, with scroll bars when the page is larger than the view. Pages are added as the
// layouter makes them, so the first can be shown while later ones are still to come. The wheel
// scrolls, and past the end of a page turns to the next one (before its start, to the one
// before); Ctrl with the wheel zooms.
class TReportPreviewWidget : public QAbstractScrollArea {
    Q_OBJECT
public:
    enum class TZoom { Factor, FitWidth, FitPage };

    explicit TReportPreviewWidget(QWidget* parent = nullptr);

    void SetPaper(const TReportPaper& paper);
    void AddPage(TReportPage page);
    // Puts page in the place of the page at index (a run made anew).
    void ReplacePage(int index, TReportPage page);
    void Clear();
    int PageCount() const { return int(FPages.size()); }
    // 0-based; clamped to the pages there are.
    void SetPage(int index);
    int PageIndex() const { return FPage; }
    void SetZoom(TZoom zoom, double factor = 1.0);
    TZoom Zoom() const { return FZoom; }
    // The zoom in percent of the paper's true size, fitted or not.
    int ZoomPercent() const;
    // Screen pixels per layout unit (1/96 inch) at the present zoom and size.
    double Scale() const;
    // The paper's rectangle on the view.
    QRectF PaperRect() const;
    // Whether the view is narrower than the paper at its true size (with the desk around it).
    bool NarrowerThanPaper() const;

Q_SIGNALS:
    // The wheel turned the page.
    void PageChanged(int index);
    // Ctrl with the wheel changed the zoom.
    void ZoomChanged();
    // A zoom fitted to the view changed with the view's size.
    void FittedZoomChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    QSizeF PaperSize() const; // at the present scale
    void UpdateScrollBars();
    void UpdateDescription();
    // Turns to the page before or after when the view cannot scroll further that way.
    bool TurnPage(int steps);

    TReportPaper FPaper = TReportPaper::A4();
    std::vector<TReportPage> FPages;
    int FPage = 0;
    TZoom FZoom = TZoom::Factor;
    double FFactor = 1.0;
};
