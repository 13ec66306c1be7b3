#include "sampledatacommand.h"

#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/ioerror.h"
#include "base/textfile.h"
#include "base/version.h"
#include "cliarguments.h"
#include "export/exportformat.h"
#include "sampledata/sampledata.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/lists/listlines.h"
#include "storage/months/monthfile.h"

#include <QDir>
#include <QFile>

namespace {
constexpr int MaxUsers = 500;
constexpr int MaxMonths = 120;
// The same data every time for the same choices.
constexpr std::uint32_t SampleSeed = 2026;

struct TSampleRequest {
    int Users = 5;
    int Months = 3;
    bool WorkGroup = false;
    bool UsersGiven = false;
};

bool ReadCount(const QString& text, int highest, int& value, const char* what, QTextStream& err) {
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < 1 || number > highest) {
        err << what << " must be a whole number from 1 to " << highest << ", not \"" << text << "\"\n";
        return false;
    }
    value = number;
    return true;
}

bool ParseRequest(const QStringList& args, TSampleRequest& request, QTextStream& err) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& word = args.at(i);
        const bool hasValue = i + 1 < args.size();
        if (IsDataDirSwitch(word) && hasValue) {
            ++i;
        } else if (word == QLatin1String("--users") && hasValue) {
            if (!ReadCount(args.at(++i), MaxUsers, request.Users, "--users", err))
                return false;
            request.UsersGiven = true;
        } else if (word == QLatin1String("--months") && hasValue) {
            if (!ReadCount(args.at(++i), MaxMonths, request.Months, "--months", err))
                return false;
        } else if (word == QLatin1String("--work-group")) {
            request.WorkGroup = true;
        } else {
            err << "Unexpected argument: " << word << '\n';
            return false;
        }
    }
    if (request.UsersGiven && !request.WorkGroup) {
        err << "--users needs --work-group: a single-user location has one user\n";
        return false;
    }
    return true;
}

// The first month file found in folder or in any folder below it; empty when there is none.
QString FirstMonthFile(const QString& folder) {
    const QDir dir(folder);
    if (!dir.exists())
        return {};
    for (const QString& name : dir.entryList(QDir::Files))
        if (IsMonthFileName(name))
            return dir.filePath(name);
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString found = FirstMonthFile(dir.filePath(sub));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

TExportFormat TimesheetFormat(const QString& folder) {
    TExportFormat format;
    format.SetName(QStringLiteral("Timesheet"));
    format.FormatDescription = QStringLiteral("Every time entry of the month, for a spreadsheet");
    for (TExportField field : {TExportField::User, TExportField::Date, TExportField::Client,
                               TExportField::Project, TExportField::Category, TExportField::Activity,
                               TExportField::StartTime, TExportField::EndTime, TExportField::Duration,
                               TExportField::Remarks})
        format.AddField(field);
    format.Delimiter = ',';
    format.Headings = true;
    format.Period = 2; // this month
    format.FileDir = folder;
    format.FileName = QStringLiteral("timesheet.csv");
    return format;
}

TExportFormat BillingFormat(const QString& folder) {
    TExportFormat format;
    format.SetName(QStringLiteral("Billing"));
    format.FormatDescription = QStringLiteral("Chargeable time of last month with rates and amounts");
    for (TExportField field : {TExportField::Date, TExportField::Client, TExportField::Project,
                               TExportField::Duration, TExportField::ChargeType, TExportField::ChargeRate,
                               TExportField::TotalCharge})
        format.AddField(field);
    format.Headings = true;
    format.Charging = TCharging::ChargeableOnly;
    format.Period = 3; // last month
    format.FileDir = folder;
    format.FileName = QStringLiteral("billing.txt");
    return format;
}

void WriteListsAndFormats(const QString& dataFolder, const QString& location, QTextStream& out) {
    QDir().mkpath(dataFolder);
    TClients clients;
    TCategories categories;
    TSampleDataGenerator::AddListEntries(clients, categories);
    clients.SaveTo(dataFolder + ClientListFileName);
    categories.SaveTo(dataFolder + CategoryListFileName);
    out << "Lists: " << dataFolder + ClientListFileName << ", " << dataFolder + CategoryListFileName
        << '\n';
    // The formats go beside the lists: the server's folder in a work group.
    QDir().mkpath(dataFolder + ExportFormatsFolderName);
    Locations().UseLocalData = false;
    for (TExportFormat format : {TimesheetFormat(location), BillingFormat(location)}) {
        const QString error = format.Save();
        if (!error.isEmpty())
            throw EInOutError(error);
        out << "Export format: " << format.FormatName << '\n';
    }
}

void WriteSettings(const QString& location, const QString& user, const QString& server) {
    // The version, so that the first start does not offer what is new in it.
    QString text = QStringLiteral("[Registration]\r\nUserName=") + user +
                   QStringLiteral("\r\n[Version]\r\nNumber=") + QString::fromLatin1(QuillhourVersion) +
                   QStringLiteral("\r\n");
    if (!server.isEmpty())
        text += QStringLiteral("[Server]\r\nServerPath=") + server + QStringLiteral("\r\n");
    WriteTextFile(location + SettingsFileName, text);
}

// The months up to today of user into folder; the number of entries written.
std::int64_t WriteMonths(const QString& folder, int user, int months) {
    const QDate today = QDate::currentDate();
    const QDate first = QDate(today.year(), today.month(), 1).addMonths(-(months - 1));
    TSampleDataGenerator generator(SampleSeed + std::uint32_t(user));
    generator.LastDay = today;
    return generator.WriteUserMonths(folder, user, first.year(), first.month(), months);
}

// The first of the files sample data would write that exists already; empty when none does.
QString FirstExistingFile(const QString& location) {
    QStringList files{location + SettingsFileName};
    for (const QString& data : {location + DataFolderName, location + QStringLiteral("Server/") + DataFolderName})
        files << data + ClientListFileName << data + CategoryListFileName
              << data + ExportFormatsFolderName + QStringLiteral("ef-Timesheet.txt")
              << data + ExportFormatsFolderName + QStringLiteral("ef-Billing.txt");
    for (const QString& file : files)
        if (QFile::exists(file))
            return file;
    return {};
}

int MakeSampleData(const TSampleRequest& request, QTextStream& out) {
    const QString location = Locations().LocalFolder;
    const QString server = request.WorkGroup ? location + QStringLiteral("Server/") : QString();
    const QString user = request.WorkGroup ? TSampleDataGenerator::UserName(1) : CurrentUserName();
    QDir().mkpath(location);
    const std::int64_t own = WriteMonths(location + DataFolderName, 1, request.Months);
    out << "Time data of " << user << ": " << own << " entries in " << request.Months
        << " months in " << location + DataFolderName << '\n';
    if (request.WorkGroup) {
        Locations().ServerFolder = server;
        const QString serverData = server + DataFolderName;
        // The workstation's own months as its last backup left them on the server.
        std::int64_t entries = WriteMonths(serverData + user + QLatin1Char('/'), 1, request.Months);
        for (int other = 2; other <= request.Users; ++other)
            entries += WriteMonths(serverData + TSampleDataGenerator::UserName(other) + QLatin1Char('/'), other,
                                   request.Months);
        out << "Server folder: " << server << " with " << request.Users << " users and " << entries
            << " entries\n";
        WriteListsAndFormats(serverData, location, out);
    } else {
        WriteListsAndFormats(location + DataFolderName, location, out);
    }
    WriteSettings(location, user, server);
    out << "Settings: " << location + SettingsFileName << " (user " << user << ")\n";
    return 0;
}
} // namespace

int RunSampleDataCommand(const QStringList& args, QTextStream& out, QTextStream& err) {
    TSampleRequest request;
    if (!ParseRequest(args, request, err))
        return 2;
    const QString location = Locations().LocalFolder;
    const QString existing = FirstMonthFile(location);
    if (!existing.isEmpty()) {
        err << "The data location " << location << " already holds time data (" << existing
            << "); sample data is only made in an empty location\n";
        return 1;
    }
    const QString taken = FirstExistingFile(location);
    if (!taken.isEmpty()) {
        err << "The data location " << location << " already holds " << taken
            << "; sample data never replaces a file\n";
        return 1;
    }
    try {
        return MakeSampleData(request, out);
    } catch (const EInOutError& error) {
        err << error.Text() << '\n';
        return 1;
    }
}
