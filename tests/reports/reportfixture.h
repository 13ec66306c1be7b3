#pragma once

#include "base/applocale.h"
#include "base/datalocations.h"
#include "reporting/layouts/basereport.h"
#include "reporting/reportdata.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <QDir>

// The current user "ann" in a local data folder under a pinned British locale (dates as
// 04/03/2024), with blocks added month by month and reports run over a period.
class TReportTest : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        SetAppLocale(QLocale(QStringLiteral("en_GB")));
        Env.Args = {Env.Program, QStringLiteral("/datadir"), MakeFolder(QStringLiteral("local"))};
        ApplyEnvironment();
        ResolveDataLocations(TResolveMode::ReadOnly);
        QDir().mkpath(LocalDataPath());
        AdminSettings() = TAdminSettings{};
        AdminSettings().CurrencySymbol = QStringLiteral("$");
        PersonalSettings().UserName = QStringLiteral("ann");
    }
    void TearDown() override {
        AdminSettings() = TAdminSettings{};
        TTempFolderTest::TearDown();
    }
    // A reportable, chargeable block of the task client/Web/Dev:Code.
    static TBlock& Add(TMonth& month, int day, int start, int end, const char* client,
                       const char* remarks = "", const char* project = "Web") {
        TBlock& block = month.DayByNumber(day)->AddBlock(start, end);
        block.Client = QString::fromUtf8(client);
        block.Project = QString::fromUtf8(project);
        block.Category = QStringLiteral("Dev");
        block.Activity = QStringLiteral("Code");
        block.Remarks = QString::fromUtf8(remarks);
        block.Reportable = true;
        block.Chargeable = true;
        return block;
    }
    static TBlock& Bill(TBlock& block, TBillingCode code, double rate) {
        block.BillingInfo = std::make_unique<TBillingInfo>(
            code, rsUser, TMoney::FromUnits(std::int64_t(rate * 10000)));
        return block;
    }
    // Collects the period's days and hands them to the report.
    void Run(TBaseReport& report, QDate from, QDate to, bool overtime = true, bool remarks = false) {
        Days = CollectReportDays(from, to);
        TReportParameters parameters;
        parameters.Days = &Days;
        parameters.PeriodFrom = from;
        parameters.PeriodTo = to;
        parameters.ShowOvertime = overtime;
        parameters.BreakDownToRemarks = remarks;
        report.Initialise(parameters);
        report.Prepare();
    }
    // The texts of every page of a run, page after page.
    static QStringList PageTexts(TBaseReport& report) {
        QStringList texts;
        TReportLayouter& layouter = report.StartRun();
        TReportPage page;
        while (layouter.NextPage(page))
            for (const TPageItem& item : page.Items)
                if (item.Kind == TPageItem::ikText)
                    texts.append(item.Text);
        return texts;
    }
    // The texts of the detail rows of a run, a row's texts joined by "|" in the order of their
    // labels, so a row reads like "Acme|Web|Dev : Code|Y|1.00|--".
    static QStringList DetailRows(TBaseReport& report) {
        QStringList rows;
        TReportBand* detail = report.Model().Band(TBandKind::Detail);
        const auto previous = detail->AfterPrint;
        detail->AfterPrint = [&rows](TReportBand& band) {
            QStringList texts;
            for (const TReportLabel& label : band.Labels)
                if (label.Visible && !label.Text.isEmpty())
                    texts.append(label.Text);
            rows.append(texts.join(QLatin1Char('|')));
        };
        PageTexts(report);
        detail->AfterPrint = previous;
        return rows;
    }
    TReportDays Days;
};
