#include "monthfilecheck.h"

#include "base/fileutils.h"
#include "base/ioerror.h"
#include "base/textutils.h"
#include "storage/months/billinginfo.h"
#include "storage/months/bytefields.h"
#include "storage/months/datafilebytes.h"
#include "storage/months/datalineerror.h"
#include "storage/months/monthfile.h"
#include "storage/months/monthlinereader.h"
#include "storage/values/timetexts.h"
#include "storage/values/timevalues.h"

#include <QDate>
#include <QStringList>

namespace {
constexpr int DayEnd = 2400;

struct TMonthFileScan {
    QString FileName;
    int Year = 0;
    int Month = 0;
    std::vector<TCheckProblem>& Problems;

    void Add(int line, const QString& message) { Problems.push_back({FileName, line, message}); }

    void CheckFields(const TMonthLineReader& reader, const TMonthLine& fields, int line) {
        const bool inDay = fields.StartTime >= 0 && fields.EndTime <= DayEnd;
        if (fields.StartTime >= fields.EndTime || !inDay)
            Add(line, QStringLiteral("Times: %1 to %2 is not a span within one day")
                          .arg(PadNumber(TimeToClock(fields.StartTime), 4),
                               PadNumber(TimeToClock(fields.EndTime), 4)));
        const QString billing = reader.Text(fields.Billing);
        if (!billing.isEmpty() && !TBillingInfo::CreateFromText(billing))
            Add(line, QStringLiteral("Billing: '%1' cannot be read; the block is read without "
                                     "billing data")
                          .arg(billing));
    }

    void CheckLine(TMonthLineReader& reader, std::string_view line, int number) {
        const QDate date = reader.ReadDate(NextByteToken(line, '\t'), number);
        if (date.year() != Year || date.month() != Month) {
            Add(number, QStringLiteral("Date: %1 is not a day of this file's month; the line "
                                       "is ignored and lost at the next save")
                            .arg(date.toString(Qt::ISODate)));
            return;
        }
        CheckFields(reader, reader.ReadFields(line, number), number);
    }

    void CheckText(TDataFileBytes file) {
        TMonthLineReader reader(FileName, QString(), file.Encoding());
        std::string_view line;
        int number = 0;
        while (file.NextLine(line)) {
            ++number;
            if (line.empty())
                continue;
            try {
                CheckLine(reader, line, number);
            } catch (const EDataLineError& error) {
                Add(number, error.Message());
            }
        }
    }
};
} // namespace

void CheckMonthFile(const QString& fileName, std::vector<TCheckProblem>& problems) {
    TMonthFileScan scan{fileName, 0, 0, problems};
    if (!MonthOfFileName(fileName, scan.Year, scan.Month)) {
        scan.Add(0, QStringLiteral("Not the name of a month file"));
        return;
    }
    if (scan.Month < 1 || scan.Month > 12) {
        scan.Add(0, QStringLiteral("%1 is not a month of the year; nothing in the file is read")
                        .arg(scan.Month));
        return;
    }
    try {
        scan.CheckText(TDataFileBytes::Read(fileName));
    } catch (const EInOutError& error) {
        scan.Add(0, error.Message());
    }
}

int CheckMonthFolder(const QString& folder, std::vector<TCheckProblem>& problems) {
    QStringList names;
    ListFiles(folder, QStringLiteral("*"), names);
    int checked = 0;
    for (const QString& name : names) {
        if (!IsMonthFileName(name))
            continue;
        CheckMonthFile(WithTrailingSeparator(folder) + name, problems);
        ++checked;
    }
    return checked;
}
