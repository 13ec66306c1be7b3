#pragma once

#include <QString>
#include <QStringList>

// The fixed vocabularies of export formats: the column fields, their types and the areas
// (groups) that columns belong to, with the words files and editors use for them.

// Field codes 0..19 are the standard fields; 20 is a user-defined column.
enum TExportField : int {
    efUser = 0,
    efDate,
    efClient,
    efProject,
    efCategory,
    efActivity,
    efRemarks,
    efStartTime,
    efEndTime,
    efDuration,
    efIsOvertime,
    efIsReportable,
    efIsChargeable,
    efChargeType,
    efChargeRate,
    efTotalCharge,
    efClientList,
    efProjectList,
    efCategoryList,
    efActivityList,
    efUserDefined
};
inline constexpr int StandardFieldCount = 20;

enum TExportFieldType : int {
    ftDate = 0,
    ftText,
    ftTime,
    ftNumber,
    ftTrueFalse,
    ftCode,
    ftCurrency
};

// Areas, also the group codes of the group order; 0 marks an unused slot.
enum TExportArea : int { eaNone = 0, eaClient = 1, eaCategory = 2, eaData = 3 };

// Name of a standard field as files and lists use it ("Client List"); empty for others.
QString ExportFieldName(int field);
QString ExportFieldDefaultHeading(int field);
int ExportFieldDefaultType(int field);
QString ExportFieldDefaultFormat(int field);
// The area a standard field always lies in; eaNone for a user-defined column.
int ExportFieldArea(int field);
// The standard field of that name (ASCII letter case ignored), else efUserDefined.
int ExportFieldFromName(const QString& name);

QString ExportTypeWord(int type);
// Unknown words mean Text.
int ExportTypeFromWord(const QString& word);

// "Client", "Category" or "Data".
QString ExportAreaWord(int area);
// Any other non-empty word means Data; empty gives eaNone.
int ExportAreaFromWord(const QString& word);

// "Client Data Group", "Category Data Group", "Time Data Group".
QString ExportGroupName(int area);
// A name that is neither of the first two means the Time (data) group.
int ExportAreaFromGroupName(const QString& name);

// True when a and b are equal ignoring the letter case of a-z only.
bool SameAsciiText(const QString& a, const QString& b);
