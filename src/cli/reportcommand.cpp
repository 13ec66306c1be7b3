#include "reportcommand.h"

#include "base/datalocations.h"
#include "cliarguments.h"
#include "base/ioerror.h"
#include "reporting/layouts/dailyreport.h"
#include "reporting/reportdata.h"
#include "settingsreadonly.h"
#include "storage/months/day.h"
#include "userlist.h"

#include <optional>

namespace {
constexpr int UsageError = 2;

struct TReportRequest {
    bool Billing = false;
    bool Letter = false;
    QDate From;
    QDate To;
    QStringList Users;
    bool AllUsers = false;
    TReportParameters Parameters;
    QString TextFile;
    QString PdfFile;
};

bool ReadCharging(const QString& text, TCharging& charging, QTextStream& err) {
    if (text == QLatin1String("all"))
        charging = TCharging::IncludeAll;
    else if (text == QLatin1String("chargeable"))
        charging = TCharging::ChargeableOnly;
    else if (text == QLatin1String("not-chargeable"))
        charging = TCharging::NotChargeableOnly;
    else {
        err << "--charging takes all, chargeable or not-chargeable, not " << text << '\n';
        return false;
    }
    return true;
}

bool ParseOption(const QStringList& args, qsizetype& i, TReportRequest& request, QTextStream& err) {
    const QString& word = args.at(i);
    const bool hasValue = i + 1 < args.size();
    TReportParameters& parameters = request.Parameters;
    if (IsDataDirSwitch(word) && hasValue)
        ++i;
    else if (word == QLatin1String("--billing"))
        request.Billing = true;
    else if (word == QLatin1String("--letter"))
        request.Letter = true;
    else if (word == QLatin1String("--from") && hasValue)
        return ReadIsoDate(args.at(++i), request.From, err);
    else if (word == QLatin1String("--to") && hasValue)
        return ReadIsoDate(args.at(++i), request.To, err);
    else if (word == QLatin1String("--users") && hasValue)
        request.Users = args.at(++i).split(QLatin1Char(','), Qt::SkipEmptyParts);
    else if (word == QLatin1String("--all-users"))
        request.AllUsers = true;
    else if (word == QLatin1String("--client") && hasValue)
        parameters.ClientFilter = args.at(++i);
    else if (word == QLatin1String("--project") && hasValue)
        parameters.ProjectFilter = args.at(++i);
    else if (word == QLatin1String("--charging") && hasValue)
        return ReadCharging(args.at(++i), parameters.Charging, err);
    else if (word == QLatin1String("--no-overtime"))
        parameters.ShowOvertime = false;
    else if (word == QLatin1String("--remarks"))
        parameters.BreakDownToRemarks = true;
    else if (word == QLatin1String("--text") && hasValue)
        request.TextFile = args.at(++i);
    else if (word == QLatin1String("--pdf") && hasValue)
        request.PdfFile = args.at(++i);
    else {
        err << "Unexpected argument: " << word << '\n';
        return false;
    }
    return true;
}

bool ParseRequest(const QStringList& args, TReportRequest& request, QTextStream& err) {
    if (args.isEmpty() || args.front() != QLatin1String("daily")) {
        err << "Name the report: daily\n";
        return false;
    }
    for (qsizetype i = 1; i < args.size(); ++i)
        if (!ParseOption(args, i, request, err))
            return false;
    if (!CheckPeriodAndUsers(request.From, request.To, request.AllUsers, !request.Users.isEmpty(),
                             err))
        return false;
    if (!request.Parameters.ProjectFilter.isEmpty() && request.Parameters.ClientFilter.isEmpty()) {
        err << "--project needs --client.\n";
        return false;
    }
    if (!request.From.isValid()) { // the report window's default: the current month
        const QDate today = QDate::currentDate();
        request.From = QDate(today.year(), today.month(), 1);
        request.To = QDate(today.year(), today.month(), today.daysInMonth());
    }
    return true;
}

std::unique_ptr<TBaseReport> NewDailyReport(bool billing, bool letter) {
    if (billing)
        return letter ? std::unique_ptr<TBaseReport>(std::make_unique<TDailyBillingReportLTR>())
                      : std::make_unique<TDailyBillingReportA4>();
    return letter ? std::unique_ptr<TBaseReport>(std::make_unique<TDailyReportLTR>())
                  : std::make_unique<TDailyReportA4>();
}
} // namespace

int RunReportCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    LoadSettingsReadOnly();
    TReportRequest request;
    if (!ParseRequest(args, request, err)) {
        err << "Usage: quillhour-cli [--datadir DIR] report daily [--billing] [--letter] "
               "[--from YYYY-MM-DD --to YYYY-MM-DD] [--users a,b | --all-users] [--client NAME "
               "[--project NAME]] [--charging all|chargeable|not-chargeable] [--no-overtime] "
               "[--remarks] [--text FILE] [--pdf FILE]\n";
        return UsageError;
    }
    QStringList folders;
    const QStringList names = request.AllUsers ? ServerUserNames() : request.Users;
    for (const QString& name : names)
        folders.append(ServerDataPath() + name + QLatin1Char('/'));
    const bool someUsers = request.AllUsers || !request.Users.isEmpty();
    try {
        if (request.From > request.To)
            std::swap(request.From, request.To);
        const TReportDays days = CollectReportDays(
            request.From, request.To, someUsers ? std::optional<QStringList>(folders) : std::nullopt);
        QString reason;
        if (!CheckReportDays(days, false, reason)) {
            err << reason << '\n';
            return 1;
        }
        std::unique_ptr<TBaseReport> report = NewDailyReport(request.Billing, request.Letter);
        TReportParameters parameters = request.Parameters;
        parameters.Days = &days;
        parameters.PeriodFrom = request.From;
        parameters.PeriodTo = request.To;
        parameters.Users = someUsers ? &folders : nullptr;
        report->Initialise(parameters);
        if (!request.PdfFile.isEmpty()) {
            int pages = 0;
            if (!report->ProducePdf(request.PdfFile, &pages)) {
                err << "Unable to write " << request.PdfFile << '\n';
                return 1;
            }
            err << pages << (pages == 1 ? " page" : " pages") << " written to " << request.PdfFile
                << '\n';
        } else {
            report->StartRun();
        }
        if (!request.TextFile.isEmpty())
            report->SaveReportTextTo(request.TextFile);
        else if (request.PdfFile.isEmpty())
            out << report->BuildReportText().join(QLatin1Char('\n')) << '\n';
    } catch (const EInOutError& error) {
        err << error.Text() << '\n';
        return 1;
    }
    return 0;
}
