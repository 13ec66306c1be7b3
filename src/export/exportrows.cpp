#include "exportrows.h"

#include "exportvalues.h"

QString HeadingLine(const TExportFormat& format, const TExportFormat::TItems& columns) {
    QString heading;
    int outputColumns = 0;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0 && columns[i - 1]->FieldMergeFollowing)
            continue;
        if (outputColumns++ > 0)
            heading += QChar(char32_t(format.Delimiter));
        heading += ReplaceDelimiter(format, columns[i]->FieldHeading);
    }
    return heading;
}

QString ColumnSuffix(const TExportFormat& format, const TExportFormat::TItems& columns,
                     std::size_t index) {
    const TExportItem& column = *columns[index];
    if (column.FieldMergeFollowing)
        return ReplaceDelimiter(format, column.FieldSeparator);
    if (index + 1 < columns.size())
        return QString(QChar(char32_t(format.Delimiter)));
    return {};
}
