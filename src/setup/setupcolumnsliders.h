#pragma once

#include "setup/setupcolumns.h"

#include <array>

#include <QGroupBox>

class QCheckBox;
class QFrame;
class QLabel;

// "Report Column Placement" of the set-up window: one slider for each of the project,
// category : activity and remarks columns, the positions as numbers below them, the box
// "Default" and a small picture of the report's page with the columns where they stand.
// A slider moves only while its label is enabled; moving one pushes the others so that the
// columns stay in order and apart.
class TSetupColumnSliders : public QGroupBox {
    Q_OBJECT
public:
    explicit TSetupColumnSliders(QWidget* parent = nullptr);

    TColumnPositions Positions() const { return FPositions; }
    void SetPositions(const TColumnPositions& positions);
    // Moves a column as a drag to position would.
    void MoveTo(TReportColumn column, int position);
    // The labels (and so the sliders) are enabled when the columns may be edited and
    // "Default" is not checked; "Default" itself when they may be edited.
    void UpdateEnabling(bool mayEdit);

    std::array<QLabel*, 3> lblSlider{};
    std::array<QFrame*, 3> pnlSliderTrack{};
    std::array<QWidget*, 3> imgSlider{};
    std::array<QLabel*, 3> txtSlider{};
    QCheckBox* chkPrintAtDefault = nullptr;
    QFrame* pnlPage = nullptr;

private:
    class TSliderImage;
    friend class TSliderImage;

    void CreateSlider(TReportColumn column, const char* suffix, const QString& caption, int top);
    void CreatePagePreview(int top);
    QLabel* NewPageLabel(const char* name, const QString& caption);
    void DragTo(TReportColumn column, int left);
    void PlaceSliders(int dragged = -1);
    void PlacePageLabels();
    void DefaultClicked(bool checked);

    TColumnPositions FPositions = DefaultColumnPositions();
    std::array<QLabel*, 3> FPageColumns{};
    QLabel* FPageClient = nullptr;
    QLabel* FPageCode = nullptr;
    QLabel* FPageHours = nullptr;
    QLabel* FPageRate = nullptr;
    bool FMayEdit = true;
};
