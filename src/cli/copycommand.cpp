#include "copycommand.h"

#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/locationlock.h"
#include "cliarguments.h"
#include "settingsreadonly.h"
#include "storage/months/day.h"
#include "storage/months/daycopy.h"
#include "storage/months/month.h"
#include "storage/settings/adminsettings.h"
#include "storage/values/calendardates.h"

#include <map>
#include <memory>
#include <optional>

namespace {
constexpr int UsageError = 2;

struct TCopyRequest {
    QDate From;
    QDate To;
    bool Weeks = false;
    std::optional<TPasteMode> Mode;
    bool DryRun = false;
};

bool ReadDateSwitch(const QString& word, const QString& value, TCopyRequest& request, int& dayDates,
                    int& weekDates, QTextStream& err) {
    const bool from = word.startsWith(QLatin1String("--from-"));
    QDate& date = from ? request.From : request.To;
    if (date.isValid()) {
        err << "A date is given twice: " << word << '\n';
        return false;
    }
    (word.endsWith(QLatin1String("-week")) ? weekDates : dayDates) += 1;
    return ReadIsoDate(value, date, err);
}

bool SetMode(TPasteMode mode, TCopyRequest& request, QTextStream& err) {
    if (request.Mode && *request.Mode != mode) {
        err << "Give --replace or --only-free-time, not both.\n";
        return false;
    }
    request.Mode = mode;
    return true;
}

bool IsDateSwitch(const QString& word) {
    return word == QLatin1String("--from-day") || word == QLatin1String("--to-day") ||
           word == QLatin1String("--from-week") || word == QLatin1String("--to-week");
}

bool CheckDates(TCopyRequest& request, int dayDates, int weekDates, QTextStream& err) {
    if (!request.From.isValid() || !request.To.isValid() || (dayDates > 0 && weekDates > 0)) {
        err << "Give --from-day and --to-day, or --from-week and --to-week.\n";
        return false;
    }
    request.Weeks = weekDates > 0;
    if (request.Weeks) {
        request.From = WeekRange(AdminSettings().FirstDayOfWeek, request.From).Start;
        request.To = WeekRange(AdminSettings().FirstDayOfWeek, request.To).Start;
    }
    if (request.From == request.To) {
        err << (request.Weeks ? "The weeks are the same.\n" : "The days are the same.\n");
        return false;
    }
    return true;
}

bool ParseRequest(const QStringList& args, TCopyRequest& request, QTextStream& err) {
    int dayDates = 0;
    int weekDates = 0;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& word = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (IsDataDirSwitch(word) && hasValue) {
            ++i;
        } else if (IsDateSwitch(word) && hasValue) {
            if (!ReadDateSwitch(word, args.at(++i), request, dayDates, weekDates, err))
                return false;
        } else if (word == QLatin1String("--replace") ||
                   word == QLatin1String("--only-free-time")) {
            if (!SetMode(word == QLatin1String("--replace") ? TPasteMode::Replace
                                                            : TPasteMode::OnlyFreeTime,
                         request, err))
                return false;
        } else if (word == QLatin1String("--dry-run")) {
            request.DryRun = true;
        } else {
            err << "Unexpected argument: " << word << '\n';
            return false;
        }
    }
    return CheckDates(request, dayDates, weekDates, err);
}

// The editable months the copy touches, each read once.
using TMonths = std::map<int, std::unique_ptr<TMonth>>;

TDay* DayOf(TMonths& months, QDate date) {
    std::unique_ptr<TMonth>& month = months[date.year() * 12 + date.month() - 1];
    if (!month)
        month = std::make_unique<TMonth>(date.year(), date.month());
    return month->DayByDate(date);
}

struct TCopyDays {
    std::vector<const TDay*> From;
    std::vector<TDay*> To;
};

TCopyDays GatherDays(TMonths& months, const TCopyRequest& request) {
    TCopyDays days;
    const int count = request.Weeks ? 7 : 1;
    for (int i = 0; i < count; ++i) {
        days.From.push_back(DayOf(months, request.From.addDays(i)));
        days.To.push_back(DayOf(months, request.To.addDays(i)));
    }
    return days;
}

int BlockCount(const std::vector<const TDay*>& days) {
    int count = 0;
    for (const TDay* day : days)
        count += int(day->Blocks.size());
    return count;
}

bool AnyHasTime(const std::vector<TDay*>& days) {
    for (const TDay* day : days)
        if (DayHasTime(*day))
            return true;
    return false;
}

QString Blocks(int count) {
    return QString::number(count) +
           (count == 1 ? QLatin1String(" block") : QLatin1String(" blocks"));
}

int PrintSummary(const std::vector<TDayCopyResult>& results, bool dryRun, QTextStream& out) {
    int laid = 0;
    int cut = 0;
    int days = 0;
    for (const TDayCopyResult& result : results) {
        if (result.BlocksLaid == 0)
            continue;
        out << result.Date.toString(Qt::ISODate) << ": " << Blocks(result.BlocksLaid) << " laid";
        if (result.BlocksCut > 0)
            out << ", " << Blocks(result.BlocksCut) << " cut back or removed";
        out << '\n';
        laid += result.BlocksLaid;
        cut += result.BlocksCut;
        ++days;
    }
    out << (dryRun ? "Would copy " : "Copied ") << Blocks(laid) << " to " << days
        << (days == 1 ? " day" : " days");
    if (cut > 0)
        out << "; " << Blocks(cut) << " cut back or removed";
    out << (dryRun ? " (nothing written)\n" : "\n");
    return laid;
}

void SaveMonths(TMonths& months) {
    for (auto& entry : months)
        if (entry.second->IsModified())
            entry.second->Save();
}

int CopyAndSave(TMonths& months, const TCopyRequest& request, QTextStream& out, QTextStream& err) {
    const TCopyDays days = GatherDays(months, request);
    if (BlockCount(days.From) == 0) {
        err << "Nothing to copy: no blocks on the " << (request.Weeks ? "week of " : "day ")
            << request.From.toString(Qt::ISODate) << ".\n";
        return 1;
    }
    if (!request.Mode && AnyHasTime(days.To)) {
        err << "The " << (request.Weeks ? "week of " : "day ") << request.To.toString(Qt::ISODate)
            << " already holds time: give --replace or --only-free-time.\n";
        return UsageError;
    }
    const auto results = CopyDays(days.From, days.To, request.Mode.value_or(TPasteMode::Replace));
    if (PrintSummary(results, request.DryRun, out) == 0) {
        err << "Nothing to copy: the target has no free time where the blocks lie.\n";
        return 1;
    }
    if (!request.DryRun)
        SaveMonths(months);
    return 0;
}
} // namespace

int RunCopyCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    LoadSettingsReadOnly();
    TCopyRequest request;
    if (!ParseRequest(args, request, err)) {
        err << "Usage: quillhour-cli [--datadir DIR] copy --from-day YYYY-MM-DD --to-day "
               "YYYY-MM-DD | --from-week YYYY-MM-DD --to-week YYYY-MM-DD [--only-free-time | "
               "--replace] [--dry-run]\n";
        return UsageError;
    }
    TDataLocationLock lock;
    const QString location = Locations().LocalFolder;
    if (!request.DryRun && lock.TryAcquire(location) == TDataLocationLock::TResult::HeldByOther) {
        err << LocationInUseText(location, lock.Holder()) << '\n';
        return 1;
    }
    TMonths months;
    try {
        return CopyAndSave(months, request, out, err);
    } catch (const EInOutError& error) {
        err << error.Text() << '\n';
        return 1;
    }
}
