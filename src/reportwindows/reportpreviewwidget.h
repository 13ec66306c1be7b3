#pragma once

#include "reporting/engine/reportlayouter.h"

#include <vector>

#include <QWidget>

// Shows one page of a report on a grey desk, at a zoom factor or fitted to the width or to the
// whole page. Pages are added as the layouter makes them, so the first can be shown while later
// ones are still to come.
class TReportPreviewWidget : public QWidget {
public:
    enum class TZoom { Factor, FitWidth, FitPage };

    explicit TReportPreviewWidget(QWidget* parent = nullptr);

    void SetPaper(const TReportPaper& paper);
    void AddPage(TReportPage page);
    void Clear();
    int PageCount() const { return int(FPages.size()); }
    // 0-based; clamped to the pages there are.
    void SetPage(int index);
    int PageIndex() const { return FPage; }
    void SetZoom(TZoom zoom, double factor = 1.0);
    // Screen pixels per layout unit (1/96 inch) at the present zoom and size.
    double Scale() const;
    // The paper's rectangle on the widget.
    QRectF PaperRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TReportPaper FPaper = TReportPaper::A4();
    std::vector<TReportPage> FPages;
    int FPage = 0;
    TZoom FZoom = TZoom::FitPage;
    double FFactor = 1.0;
};
