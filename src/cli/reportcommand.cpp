#include "reportcommand.h"

#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "cliarguments.h"
#include "reporting/layouts/basereport.h"
#include "reporting/layouts/reportlayouts.h"
#include "reporting/layouts/reportrequest.h"
#include "reporting/reportdata.h"
#include "settingsreadonly.h"
#include "storage/months/day.h"
#include "storage/settings/adminsettings.h"
#include "storage/values/calendardates.h"
#include "userlist.h"

#include <array>
#include <optional>

namespace {
constexpr int UsageError = 2;

struct TKindWord {
    const char* Word;
    TReportKind Kind;
};
constexpr std::array<TKindWord, 4> KindWords{{{"daily", TReportKind::Daily},
                                              {"weekly", TReportKind::WeeklyActivity},
                                              {"activity", TReportKind::Activity},
                                              {"overtime", TReportKind::Overtime}}};

// The report the window would make from the same choices, and what the command adds: users
// named rather than chosen, and where the text and the pages go.
struct TCliReportRequest {
    TReportRequest Report;
    QStringList Users;
    bool AllUsers = false;
    QString TextFile;
    QString PdfFile;
};

bool ReadKind(const QStringList& args, TReportKind& kind, QTextStream& err) {
    if (!args.isEmpty())
        for (const TKindWord& entry : KindWords)
            if (args.front() == QLatin1String(entry.Word)) {
                kind = entry.Kind;
                return true;
            }
    err << "Name the report: daily, weekly, activity or overtime\n";
    return false;
}

// The weekly report is one week of every charge and all overtime, never billed and never
// broken down to remarks; the overtime report is nothing but overtime. Their options are the
// daily report's without these.
bool KindRefuses(TReportKind kind, const QString& word, QTextStream& err) {
    static const QStringList notWeekly{
        QStringLiteral("--billing"),  QStringLiteral("--to"),         QStringLiteral("--charging"),
        QStringLiteral("--no-overtime"), QStringLiteral("--remarks"), QStringLiteral("--client"),
        QStringLiteral("--project")};
    if (kind == TReportKind::WeeklyActivity && notWeekly.contains(word)) {
        err << "The weekly report takes no " << word;
        if (word == QLatin1String("--to"))
            err << ": it shows the week of the day given with --from";
        else if (word == QLatin1String("--client") || word == QLatin1String("--project"))
            err << ": it shows every client and project of the week";
        err << ".\n";
        return true;
    }
    if (kind == TReportKind::Overtime && word == QLatin1String("--no-overtime")) {
        err << "The overtime report takes no --no-overtime: it shows nothing but overtime.\n";
        return true;
    }
    return false;
}

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

bool ParseOption(const QStringList& args, qsizetype& i, TCliReportRequest& request,
                 QTextStream& err) {
    const QString& word = args.at(i);
    TReportRequest& report = request.Report;
    if (KindRefuses(report.Kind, word, err))
        return false;
    const bool hasValue = i + 1 < args.size();
    if (IsDataDirSwitch(word) && hasValue)
        ++i;
    else if (word == QLatin1String("--billing"))
        report.Billing = true;
    else if (word == QLatin1String("--letter"))
        report.Letter = true;
    else if (word == QLatin1String("--from") && hasValue)
        return ReadIsoDate(args.at(++i), report.From, err);
    else if (word == QLatin1String("--to") && hasValue)
        return ReadIsoDate(args.at(++i), report.To, err);
    else if (word == QLatin1String("--users") && hasValue)
        request.Users = args.at(++i).split(QLatin1Char(','), Qt::SkipEmptyParts);
    else if (word == QLatin1String("--all-users"))
        request.AllUsers = true;
    else if (word == QLatin1String("--client") && hasValue)
        report.ClientFilter = args.at(++i);
    else if (word == QLatin1String("--project") && hasValue)
        report.ProjectFilter = args.at(++i);
    else if (word == QLatin1String("--charging") && hasValue)
        return ReadCharging(args.at(++i), report.Charging, err);
    else if (word == QLatin1String("--no-overtime"))
        report.ShowOvertime = false;
    else if (word == QLatin1String("--remarks"))
        report.BreakDownToRemarks = true;
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

// The period the report window would offer: the current month, or for the weekly report the
// week (from the configured first day of the week) holding --from or today.
void ChoosePeriod(TReportRequest& request) {
    const QDate today = QDate::currentDate();
    if (request.Kind == TReportKind::WeeklyActivity) {
        const TDateRange week = WeekRange(AdminSettings().FirstDayOfWeek,
                                          request.From.isValid() ? request.From : today);
        request.From = week.Start;
        request.To = week.End;
    } else if (!request.From.isValid()) {
        request.From = QDate(today.year(), today.month(), 1);
        request.To = QDate(today.year(), today.month(), today.daysInMonth());
    } else if (request.From > request.To) {
        std::swap(request.From, request.To);
    }
}

bool ParseRequest(const QStringList& args, TCliReportRequest& request, QTextStream& err) {
    TReportRequest& report = request.Report;
    if (!ReadKind(args, report.Kind, err))
        return false;
    for (qsizetype i = 1; i < args.size(); ++i)
        if (!ParseOption(args, i, request, err))
            return false;
    // A week is named by one of its days, so --from stands alone there.
    const bool weekly = report.Kind == TReportKind::WeeklyActivity;
    if (!CheckPeriodAndUsers(report.From, weekly ? report.From : report.To, request.AllUsers,
                             !request.Users.isEmpty(), err))
        return false;
    if (!report.ProjectFilter.isEmpty() && report.ClientFilter.isEmpty()) {
        err << "--project needs --client.\n";
        return false;
    }
    ChoosePeriod(report);
    return true;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: quillhour-cli [--datadir DIR] report daily|weekly|activity|overtime [options]\n"
        "  daily, activity:  [--billing] [--letter] [--from YYYY-MM-DD --to YYYY-MM-DD]\n"
        "                    [--users a,b | --all-users] [--client NAME [--project NAME]]\n"
        "                    [--charging all|chargeable|not-chargeable] [--no-overtime]\n"
        "                    [--remarks] [--text FILE] [--pdf FILE]\n"
        "  overtime:         the same without --no-overtime\n"
        "  weekly:           [--letter] [--from YYYY-MM-DD] [--users a,b | --all-users]\n"
        "                    [--text FILE] [--pdf FILE] (the week holding --from, or today)\n");
}

// The folders of the users named, or of every user of the work group; false, saying why, when
// there is no work group or a name is not one of its users.
bool ReadUserFolders(const TCliReportRequest& request, QStringList& folders, QTextStream& err) {
    const QStringList known = ServerUserNames();
    if (known.isEmpty()) {
        err << (request.AllUsers ? "--all-users" : "--users")
            << " needs a work group: this location has no users on a server.\n";
        return false;
    }
    for (const QString& name : request.AllUsers ? known : request.Users) {
        if (!known.contains(name)) {
            err << "Unknown user: " << name << " (the work group's users are "
                << known.join(QStringLiteral(", ")) << ")\n";
            return false;
        }
        folders.append(ServerDataPath() + name + QLatin1Char('/'));
    }
    return true;
}
} // namespace

int RunReportCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    LoadSettingsReadOnly();
    TCliReportRequest request;
    if (!ParseRequest(args, request, err)) {
        err << UsageText();
        return UsageError;
    }
    if (request.AllUsers || !request.Users.isEmpty()) {
        QStringList folders;
        if (!ReadUserFolders(request, folders, err))
            return UsageError;
        request.Report.Users = folders;
    }
    try {
        std::unique_ptr<TBaseReport> report = NewReportLayout(
            request.Report.Kind, request.Report.Billing, request.Report.Letter);
        TReportInput input;
        QString reason;
        if (!PrepareReport(request.Report, *report, input, false, reason)) {
            err << reason << '\n';
            return 1;
        }
        // False, with "There are no hours to report" shown, when the filters left no line
        // (the activity and overtime reports) or the report has no record to print (a weekly
        // report of a week without hours).
        if (!report->Prepare() || !report->MakesPages()) {
            ShowMessageBox(QStringLiteral("There are no hours to report"), TMsgKind::Warning, mbOK);
            return 1;
        }
        if (!request.PdfFile.isEmpty()) {
            int pages = 0;
            QString failure;
            if (!report->WritePreparedPdf(request.PdfFile, &pages, &failure)) {
                err << (failure.isEmpty() ? QStringLiteral("Unable to write ") + request.PdfFile
                                          : failure)
                    << '\n';
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
