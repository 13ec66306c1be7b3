#include "exportvocabulary.h"

#include <array>

namespace {
struct TFieldInfo {
    const char* Name;
    const char* Heading;
    int Type;
    const char* Format;
    int Area;
};

constexpr std::array<TFieldInfo, StandardFieldCount> Fields = {{
    {"User", "User", ftText, "As entered", eaData},
    {"Date", "Date", ftDate, "Local Settings", eaData},
    {"Client", "Client", ftText, "As entered", eaData},
    {"Project", "Project", ftText, "As entered", eaData},
    {"Category", "Category", ftText, "As entered", eaData},
    {"Activity", "Activity", ftText, "As entered", eaData},
    {"Remarks", "Remarks", ftText, "As entered", eaData},
    {"Start Time", "Start Time", ftTime, "Local Settings", eaData},
    {"End Time", "End Time", ftTime, "Local Settings", eaData},
    {"Duration", "Duration", ftNumber, "n.nn", eaData},
    {"Is Overtime", "Overtime", ftTrueFalse, "Y/N", eaData},
    {"Is Reportable", "Reportable", ftTrueFalse, "Y/N", eaData},
    {"Is Chargeable", "Chargeable", ftTrueFalse, "Y/N", eaData},
    {"Charge Type", "Charge Type", ftCode, "As selected", eaData},
    {"Charge Rate", "Charge Rate", ftCurrency, "n.nn", eaData},
    {"Total Charge", "Total Charge", ftCurrency, "n.nn", eaData},
    {"Client List", "Client", ftText, "As entered", eaClient},
    {"Project List", "Project", ftText, "As entered", eaClient},
    {"Category List", "Category", ftText, "As entered", eaCategory},
    {"Activity List", "Activity", ftText, "As entered", eaCategory},
}};

constexpr std::array<const char*, 7> TypeWords = {"Date",       "Text", "Time",    "Number",
                                                  "True/False", "Code", "Currency"};

bool IsStandard(int field) { return field >= 0 && field < StandardFieldCount; }
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

QString ExportFieldName(int field) {
    return IsStandard(field) ? QString::fromLatin1(Fields[field].Name) : QString();
}

QString ExportFieldDefaultHeading(int field) {
    return IsStandard(field) ? QString::fromLatin1(Fields[field].Heading)
                             : QStringLiteral("UNTITLED");
}

int ExportFieldDefaultType(int field) { return IsStandard(field) ? Fields[field].Type : ftText; }

QString ExportFieldDefaultFormat(int field) {
    return IsStandard(field) ? QString::fromLatin1(Fields[field].Format) : QString();
}

int ExportFieldArea(int field) { return IsStandard(field) ? Fields[field].Area : eaNone; }

int ExportFieldFromName(const QString& name) {
    for (int field = 0; field < StandardFieldCount; ++field)
        if (SameAsciiText(name, QString::fromLatin1(Fields[field].Name)))
            return field;
    return efUserDefined;
}

QString ExportTypeWord(int type) {
    if (type < 0 || type >= int(TypeWords.size()))
        type = ftText;
    return QString::fromLatin1(TypeWords[type]);
}

int ExportTypeFromWord(const QString& word) {
    for (int type = 0; type < int(TypeWords.size()); ++type)
        if (SameAsciiText(word, QString::fromLatin1(TypeWords[type])))
            return type;
    return ftText;
}

QString ExportAreaWord(int area) {
    switch (area) {
    case eaClient: return QStringLiteral("Client");
    case eaCategory: return QStringLiteral("Category");
    default: return QStringLiteral("Data");
    }
}

int ExportAreaFromWord(const QString& word) {
    if (word.isEmpty())
        return eaNone;
    if (SameAsciiText(word, QStringLiteral("Client")))
        return eaClient;
    if (SameAsciiText(word, QStringLiteral("Category")))
        return eaCategory;
    return eaData;
}

QString ExportGroupName(int area) {
    switch (area) {
    case eaClient: return QStringLiteral("Client Data Group");
    case eaCategory: return QStringLiteral("Category Data Group");
    default: return QStringLiteral("Time Data Group");
    }
}

int ExportAreaFromGroupName(const QString& name) {
    if (name == ExportGroupName(eaClient))
        return eaClient;
    if (name == ExportGroupName(eaCategory))
        return eaCategory;
    return eaData;
}
