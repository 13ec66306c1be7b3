#include "sampleexportformat.h"

TExportFormat EveryFieldExportFormat() {
    TExportFormat format;
    format.SetGroupOrder({QStringLiteral("Client Data Group"),
                          QStringLiteral("Category Data Group"),
                          QStringLiteral("Time Data Group")});
    for (int field = 0; field < StandardFieldCount; ++field)
        format.AddField(static_cast<TExportField>(field));
    format.Headings = true;
    format.BlankRows = 1;
    return format;
}

TExportFormat ExportFormatOf(std::initializer_list<TExportField> fields) {
    TExportFormat format;
    for (const TExportField field : fields)
        format.AddField(field);
    return format;
}
