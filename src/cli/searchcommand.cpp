#include "searchcommand.h"

#include "base/datalocations.h"
#include "cliarguments.h"
#include "base/ioerror.h"
#include "search/findentries.h"
#include "settingsreadonly.h"
#include "storage/settings/adminsettings.h"
#include "storage/values/timevalues.h"

namespace {
constexpr int UsageError = 2;

QString Clock(int time) {
    const int clock = TimeToClock(std::min(std::max(time, 0), DayEnd));
    return QStringLiteral("%1:%2").arg(clock / 100, 2, 10, QLatin1Char('0'))
        .arg(clock % 100, 2, 10, QLatin1Char('0'));
}

// One line of a match: the remarks' line breaks and tabs become spaces, so that every match
// is one line of tab-separated fields.
QString MatchLine(const TSearchMatch& match) {
    QString remarks = match.Remarks;
    remarks.replace(QLatin1String("\r\n"), QLatin1String(" "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\t'), QLatin1Char(' '));
    return QStringList{match.Date.toString(Qt::ISODate), Clock(match.StartTime),
                       Clock(match.EndTime),  match.Client,
                       match.Project,         match.Category,
                       match.Activity,        remarks}
        .join(QLatin1Char('\t'));
}

bool ReadFilter(const QString& text, TSearchFilter& filter, QTextStream& err) {
    QString error;
    if (!ParseSearchFilter(text, AdminSettings().BillingInfoActive, filter, error)) {
        err << "Filter not understood: " << error << '\n';
        return false;
    }
    double number = 0;
    if (IsNumberFilter(filter.Type) && !ReadFilterNumber(filter.Value, number)) {
        err << FilterTypeName(filter.Type) << " requires a positive number for the filter\n";
        return false;
    }
    return true;
}

// The words after "search"; false (with the reason on err) when they cannot be used.
bool ParseRequest(const QStringList& args, TSearchRequest& request, QTextStream& err) {
    int filters = 0;
    bool joined = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& word = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (IsDataDirSwitch(word) && hasValue) {
            ++i;
        } else if (word == QLatin1String("--from") && hasValue) {
            if (!ReadIsoDate(args.at(++i), request.From, err))
                return false;
        } else if (word == QLatin1String("--to") && hasValue) {
            if (!ReadIsoDate(args.at(++i), request.To, err))
                return false;
        } else if (word == QLatin1String("--limit") && hasValue) {
            bool ok = false;
            request.Limit = args.at(++i).toInt(&ok);
            if (!ok || request.Limit < 1) {
                err << "The limit must be a whole number above 0: " << args.at(i) << '\n';
                return false;
            }
        } else if ((word == QLatin1String("--and") || word == QLatin1String("--or")) &&
                   filters == 1 && !joined) {
            request.Logic = word == QLatin1String("--and") ? TSearchLogic::And : TSearchLogic::Or;
            joined = true;
        } else if (word == QLatin1String("--where") && hasValue && filters < 2 &&
                   (filters == 0 || joined)) {
            TSearchFilter& filter = filters == 0 ? request.Filter1 : request.Filter2;
            if (!ReadFilter(args.at(++i), filter, err))
                return false;
            ++filters;
        } else {
            err << "Unexpected argument: " << word << '\n';
            return false;
        }
    }
    if (joined && filters < 2) {
        err << "--and and --or need a second --where.\n";
        return false;
    }
    if (request.From.isValid() && request.To.isValid() && request.From > request.To)
        std::swap(request.From, request.To);
    return true;
}
} // namespace

int RunSearchCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    LoadSettingsReadOnly();
    TSearchRequest request;
    if (!ParseRequest(args, request, err)) {
        err << "Usage: quillhour-cli [--datadir DIR] search [--from YYYY-MM-DD] [--to "
               "YYYY-MM-DD] [--where \"FILTER\"] [--and|--or --where \"FILTER\"] [--limit N]\n";
        return UsageError;
    }
    TSearchResult result;
    try {
        result = FindEntries(request);
    } catch (const EInOutError& error) {
        err << error.Text() << '\n';
        return 1;
    }
    for (const TSearchMatch& match : result.Listed)
        out << MatchLine(match) << '\n';
    err << result.Count << (result.Count == 1 ? " entry" : " entries");
    if (!result.Complete)
        err << " (only " << result.Listed.size() << " listed)";
    err << '\n';
    return result.Count > 0 ? 0 : 1;
}
