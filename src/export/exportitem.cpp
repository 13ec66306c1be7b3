#include "exportitem.h"

std::unique_ptr<TExportItem> TExportItem::ForField(int field) {
    auto item = std::make_unique<TExportItem>();
    item->Field = field;
    item->FieldHeading = ExportFieldDefaultHeading(field);
    item->FieldType = ExportFieldDefaultType(field);
    item->FieldFormat = ExportFieldDefaultFormat(field);
    item->FieldArea = ExportFieldArea(field);
    return item;
}

std::unique_ptr<TExportItem> TExportItem::UserDefined(int area) {
    auto item = std::make_unique<TExportItem>();
    item->Field = efUserDefined;
    item->Name = QStringLiteral("Untitled");
    item->FieldHeading = QStringLiteral("UNTITLED");
    item->FieldType = ftText;
    item->FieldArea = area == eaClient || area == eaCategory ? area : eaData;
    return item;
}
