#pragma once

#include <cstddef>

#include <QString>
#include <QStringList>

// The fixed vocabularies of export formats: the column fields, their types and the areas
// (groups) that columns belong to, with the words files and editors use for them.

// The standard fields in the order of their codes; UserDefined is a column of the user's own.
enum class TExportField {
    User,
    Date,
    Client,
    Project,
    Category,
    Activity,
    Remarks,
    StartTime,
    EndTime,
    Duration,
    IsOvertime,
    IsReportable,
    IsChargeable,
    ChargeType,
    ChargeRate,
    TotalCharge,
    ClientList,
    ProjectList,
    CategoryList,
    ActivityList,
    UserDefined
};
inline constexpr int StandardFieldCount = 20;

enum class TExportFieldType { Date, Text, Time, Number, TrueFalse, Code, Currency };

// Areas, also the groups of the group order; None marks an unused slot.
enum class TExportArea { None, Client, Category, Data };
inline constexpr std::size_t ExportAreaCount = 4;
// The area as an index of arrays by area.
constexpr std::size_t AreaIndex(TExportArea area) {
    return static_cast<std::size_t>(area);
}

// Name of a standard field as files and lists use it ("Client List"); empty for others.
QString ExportFieldName(TExportField field);
QString ExportFieldDefaultHeading(TExportField field);
TExportFieldType ExportFieldDefaultType(TExportField field);
QString ExportFieldDefaultFormat(TExportField field);
// The area a standard field always lies in; None for a user-defined column.
TExportArea ExportFieldArea(TExportField field);
// The standard field of that name (ASCII letter case ignored), else UserDefined.
TExportField ExportFieldFromName(const QString& name);

QString ExportTypeWord(TExportFieldType type);
// Unknown words mean Text.
TExportFieldType ExportTypeFromWord(const QString& word);

// "Client", "Category" or "Data".
QString ExportAreaWord(TExportArea area);
// Any other non-empty word means Data; empty gives None.
TExportArea ExportAreaFromWord(const QString& word);

// "Client Data Group", "Category Data Group", "Time Data Group".
QString ExportGroupName(TExportArea area);
// A name that is neither of the first two means the Time (data) group.
TExportArea ExportAreaFromGroupName(const QString& name);

// True when a and b are equal ignoring the letter case of a-z only.
bool SameAsciiText(const QString& a, const QString& b);
