#include "exportvocabulary.h"

#include <array>

namespace {
struct TFieldInfo {
    const char* Name;
    const char* Heading;
    TExportFieldType Type;
    const char* Format;
    TExportArea Area;
};

constexpr std::array<TFieldInfo, StandardFieldCount> Fields = {{
    {"User", "User", TExportFieldType::Text, "As entered", TExportArea::Data},
    {"Date", "Date", TExportFieldType::Date, "Local Settings", TExportArea::Data},
    {"Client", "Client", TExportFieldType::Text, "As entered", TExportArea::Data},
    {"Project", "Project", TExportFieldType::Text, "As entered", TExportArea::Data},
    {"Category", "Category", TExportFieldType::Text, "As entered", TExportArea::Data},
    {"Activity", "Activity", TExportFieldType::Text, "As entered", TExportArea::Data},
    {"Remarks", "Remarks", TExportFieldType::Text, "As entered", TExportArea::Data},
    {"Start Time", "Start Time", TExportFieldType::Time, "Local Settings", TExportArea::Data},
    {"End Time", "End Time", TExportFieldType::Time, "Local Settings", TExportArea::Data},
    {"Duration", "Duration", TExportFieldType::Number, "n.nn", TExportArea::Data},
    {"Is Overtime", "Overtime", TExportFieldType::TrueFalse, "Y/N", TExportArea::Data},
    {"Is Reportable", "Reportable", TExportFieldType::TrueFalse, "Y/N", TExportArea::Data},
    {"Is Chargeable", "Chargeable", TExportFieldType::TrueFalse, "Y/N", TExportArea::Data},
    {"Charge Type", "Charge Type", TExportFieldType::Code, "As selected", TExportArea::Data},
    {"Charge Rate", "Charge Rate", TExportFieldType::Currency, "n.nn", TExportArea::Data},
    {"Total Charge", "Total Charge", TExportFieldType::Currency, "n.nn", TExportArea::Data},
    {"Client List", "Client", TExportFieldType::Text, "As entered", TExportArea::Client},
    {"Project List", "Project", TExportFieldType::Text, "As entered", TExportArea::Client},
    {"Category List", "Category", TExportFieldType::Text, "As entered", TExportArea::Category},
    {"Activity List", "Activity", TExportFieldType::Text, "As entered", TExportArea::Category},
}};

constexpr std::array<const char*, 7> TypeWords = {"Date",       "Text", "Time",    "Number",
                                                  "True/False", "Code", "Currency"};

bool IsStandard(TExportField field) {
    return static_cast<int>(field) >= 0 && static_cast<int>(field) < StandardFieldCount;
}

const TFieldInfo& InfoOf(TExportField field) {
    return Fields[static_cast<std::size_t>(field)];
}
} // namespace

bool SameAsciiText(const QString& a, const QString& b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        char16_t x = a.at(i).unicode();
        char16_t y = b.at(i).unicode();
        if (x >= 'a' && x <= 'z')
            x -= 'a' - 'A';
        if (y >= 'a' && y <= 'z')
            y -= 'a' - 'A';
        if (x != y)
            return false;
    }
    return true;
}

QString ExportFieldName(TExportField field) {
    return IsStandard(field) ? QString::fromLatin1(InfoOf(field).Name) : QString();
}

QString ExportFieldDefaultHeading(TExportField field) {
    return IsStandard(field) ? QString::fromLatin1(InfoOf(field).Heading)
                             : QStringLiteral("UNTITLED");
}

TExportFieldType ExportFieldDefaultType(TExportField field) {
    return IsStandard(field) ? InfoOf(field).Type : TExportFieldType::Text;
}

QString ExportFieldDefaultFormat(TExportField field) {
    return IsStandard(field) ? QString::fromLatin1(InfoOf(field).Format) : QString();
}

TExportArea ExportFieldArea(TExportField field) {
    return IsStandard(field) ? InfoOf(field).Area : TExportArea::None;
}

TExportField ExportFieldFromName(const QString& name) {
    for (int code = 0; code < StandardFieldCount; ++code)
        if (SameAsciiText(name, QString::fromLatin1(Fields[static_cast<std::size_t>(code)].Name)))
            return static_cast<TExportField>(code);
    return TExportField::UserDefined;
}

QString ExportTypeWord(TExportFieldType type) {
    const auto code = static_cast<std::size_t>(type);
    return QString::fromLatin1(TypeWords[code < TypeWords.size() ? code : 1]);
}

TExportFieldType ExportTypeFromWord(const QString& word) {
    for (std::size_t code = 0; code < TypeWords.size(); ++code)
        if (SameAsciiText(word, QString::fromLatin1(TypeWords[code])))
            return static_cast<TExportFieldType>(code);
    return TExportFieldType::Text;
}

QString ExportAreaWord(TExportArea area) {
    switch (area) {
    case TExportArea::Client:
        return QStringLiteral("Client");
    case TExportArea::Category:
        return QStringLiteral("Category");
    default:
        return QStringLiteral("Data");
    }
}

TExportArea ExportAreaFromWord(const QString& word) {
    if (word.isEmpty())
        return TExportArea::None;
    if (SameAsciiText(word, QStringLiteral("Client")))
        return TExportArea::Client;
    if (SameAsciiText(word, QStringLiteral("Category")))
        return TExportArea::Category;
    return TExportArea::Data;
}

QString ExportGroupName(TExportArea area) {
    switch (area) {
    case TExportArea::Client:
        return QStringLiteral("Client Data Group");
    case TExportArea::Category:
        return QStringLiteral("Category Data Group");
    default:
        return QStringLiteral("Time Data Group");
    }
}

TExportArea ExportAreaFromGroupName(const QString& name) {
    if (name == ExportGroupName(TExportArea::Client))
        return TExportArea::Client;
    if (name == ExportGroupName(TExportArea::Category))
        return TExportArea::Category;
    return TExportArea::Data;
}
