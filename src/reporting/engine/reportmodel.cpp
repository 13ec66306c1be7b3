#include "reportmodel.h"

#include <utility>

TReportBand::TReportBand(TBandKind kind, int height, QColor background)
    : Kind(kind), Height(height), Background(background) {}

TReportLabel& TReportBand::AddLabel(const QString& name, int left, int top, double pointSize) {
    TReportLabel label;
    label.Name = name;
    label.Left = left;
    label.Top = top;
    label.PointSize = pointSize;
    Labels.push_back(label);
    return Labels.back();
}

TReportLabel* TReportBand::Label(const QString& name) {
    return const_cast<TReportLabel*>(std::as_const(*this).Label(name));
}

const TReportLabel* TReportBand::Label(const QString& name) const {
    for (const TReportLabel& label : Labels)
        if (label.Name == name)
            return &label;
    return nullptr;
}

void TReportBand::AddRule(int left, int top, int right, int bottom) {
    Rules.push_back({left, top, right, bottom});
}

TReportBand& TReportModel::AddBand(TBandKind kind, int height, QColor background) {
    FBands.push_back(std::make_unique<TReportBand>(kind, height, background));
    return *FBands.back();
}

TReportBand* TReportModel::Band(TBandKind kind) const {
    for (const auto& band : FBands)
        if (band->Kind == kind)
            return band.get();
    return nullptr;
}

std::vector<TReportBand*> TReportModel::Bands(TBandKind kind) const {
    std::vector<TReportBand*> bands;
    for (const auto& band : FBands)
        if (band->Kind == kind)
            bands.push_back(band.get());
    return bands;
}
