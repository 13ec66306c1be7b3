#include "sampleexportformat.h"

TExportFormat EveryFieldExportFormat() {
    TExportFormat format;
    format.SetGroupOrder({QStringLiteral("Client Data Group"),
                          QStringLiteral("Category Data Group"),
                          QStringLiteral("Time Data Group")});
    for (int field = 0; field < StandardFieldCount; ++field)
        format.AddField(field);
    format.Headings = true;
    format.BlankRows = 1;
    return format;
}

TExportFormat ExportFormatOf(std::initializer_list<int> fields) {
    TExportFormat format;
    for (const int field : fields)
        format.AddField(field);
    return format;
}
