// The export engine given a format read from any bytes, over a small fixed month of one user
// (a few days of the sample-data generator). Whatever the format says, the engine's file is
// the text of the row-by-row rules (ExportLines over the same lines), written through small
// chunks so that values cross their ends, and nothing else is written: the output goes to a
// file of this process, never where the format points.

#include "fuzzsupport.h"

#include "base/textcodec.h"
#include "export/exportengine.h"
#include "export/exportformat.h"
#include "export/exportpieces.h"
#include "export/exportwriter.h"
#include "reporting/reportdata.h"
#include "reporting/reportlines.h"
#include "sampledata/sampledata.h"
#include "storage/months/day.h"

#include <QFile>

namespace {
const QDate PeriodStart(2024, 3, 1);
const QDate PeriodEnd(2024, 3, 31);
constexpr std::size_t SmallChunk = 64;

// The user folder of the fixed month, made on the first call.
const QStringList& SourceFolders() {
    static const QStringList folders = [] {
        const QString folder = FuzzFolder() + QStringLiteral("Data/user001/");
        TSampleDataGenerator generator(7);
        generator.LastDay = QDate(2024, 3, 6);
        generator.WriteUserMonths(folder, 1, 2024, 3, 1);
        return QStringList{folder};
    }();
    return folders;
}

// The options an export reads its lines with.
TLineOptions LineOptionsOf(const TExportFormat& format) {
    TLineOptions options;
    options.WithUser = true;
    options.ClientFilter = format.Client;
    options.ProjectFilter = format.Project;
    options.Charging = format.Charging;
    options.ExcludeOvertime = !format.Overtime;
    options.WithBillingCode = true;
    return options;
}

QByteArray PlainFile(const TExportFormat& format, const std::vector<TReportLine>& lines) {
    const QStringList rows = ExportLines(format, lines);
    return rows.isEmpty()
               ? QByteArray()
               : EncodeDataText(rows.join(QLatin1String("\r\n")) + QLatin1String("\r\n"));
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    StartFuzzing();
    const QStringList& folders = SourceFolders();
    TExportFormat format;
    if (!format.ReadFromText(QString::fromUtf8(InputBytes(data, size)), QStringLiteral("ef-fuzz.txt"))
             .isEmpty())
        return 0;
    const TLineOptions options = LineOptionsOf(format);
    TReportLines lines;
    BuildReportLines(CollectReportDays(PeriodStart, PeriodEnd, folders), options, lines);
    const QByteArray expected = PlainFile(format, lines.Lines());

    const QString output = FuzzFolder() + QStringLiteral("export.csv");
    QFile::remove(output);
    const auto result = TExportWriter::WriteFile(
        format, MakeExportPieces(format, PeriodStart, PeriodEnd, folders, options), output,
        SmallChunk);
    if (expected.isEmpty()) {
        FUZZ_CHECK(result == TExportWriter::TResult::NothingToExport,
                   QStringLiteral("an empty export was not refused"));
        FUZZ_CHECK(!QFile::exists(output), QStringLiteral("an empty export wrote a file"));
        return 0;
    }
    FUZZ_CHECK(result == TExportWriter::TResult::Written, QStringLiteral("the export failed"));
    FUZZ_CHECK(FuzzFileBytes(output) == expected,
               QStringLiteral("the engine's file differs from the row-by-row rules"));
    return 0;
}
