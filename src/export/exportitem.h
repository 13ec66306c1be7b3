#pragma once

#include "exportvocabulary.h"

#include <memory>

#include <QString>

// One column of an export format: the field it shows, its heading, type, format, area, and
// whether the next column's value is merged into it.
class TExportItem {
public:
    // A column for a standard field with the field's default heading, type, format and area.
    static std::unique_ptr<TExportItem> ForField(TExportField field);
    // A new user-defined column of the given area: "Untitled", heading "UNTITLED", Text.
    static std::unique_ptr<TExportItem> UserDefined(TExportArea area);

    std::unique_ptr<TExportItem> Copy() const { return std::make_unique<TExportItem>(*this); }

    bool IsUserDefined() const { return Field == TExportField::UserDefined; }
    // The user-defined column's own name, or the standard field's name.
    QString DisplayName() const { return IsUserDefined() ? Name : ExportFieldName(Field); }

    TExportField Field = TExportField::UserDefined;
    QString FieldHeading;
    QString Name;       // user-defined columns only
    QString FieldValue; // user-defined columns only: the text written in every row
    TExportFieldType FieldType = TExportFieldType::Text;
    QString FieldFormat;
    TExportArea FieldArea = TExportArea::Data;
    bool FieldMergeFollowing = false;
    QString FieldSeparator;
};
