#include "exportitem.h"

std::unique_ptr<TExportItem> TExportItem::ForField(TExportField field) {
    auto item = std::make_unique<TExportItem>();
    item->Field = field;
    item->FieldHeading = ExportFieldDefaultHeading(field);
    item->FieldType = ExportFieldDefaultType(field);
    item->FieldFormat = ExportFieldDefaultFormat(field);
    item->FieldArea = ExportFieldArea(field);
    return item;
}

std::unique_ptr<TExportItem> TExportItem::UserDefined(TExportArea area) {
    auto item = std::make_unique<TExportItem>();
    item->Field = TExportField::UserDefined;
    item->Name = QStringLiteral("Untitled");
    item->FieldHeading = QStringLiteral("UNTITLED");
    item->FieldType = TExportFieldType::Text;
    item->FieldArea =
        area == TExportArea::Client || area == TExportArea::Category ? area : TExportArea::Data;
    return item;
}
