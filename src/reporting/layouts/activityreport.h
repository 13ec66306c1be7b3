#pragma once

#include "reporting/layouts/basereport.h"

// The activity report ("Activity Summary"): one line per task (per task and remarks when
// remarks are broken down) sorted by client and project, a "Project Sub-total" row after
// each client/project group and a grand total. The billing variant shows code, hours, rate and
// charge per line.
class TBaseActivityReport : public TBaseReport {
public:
    TBaseActivityReport(bool billing, bool letter);

    // Always on in this report.
    bool ProjectSubTotals = true;

protected:
    void ArrangeColumns() override;
    bool PrepareLines() override;
    void WriteReportText() override;
    void StartLayoutRun() override;

private:
    void CreateBands();
    void CreatePlainColumns();
    void CreateBillingColumns();
    bool NextRecord();
    void FillSubTotal();
    void FillLine(const TReportLine& line);
    void FillGrandTotals();
    // The lines of one day and their saved texts, with the billing codes met.
    struct TDayTexts {
        TReportLines Lines;
        std::vector<QString> Texts;
        std::set<QString> Codes;
    };
    // A line of the saved text.
    QString PlainOrBillingText(const TReportLine& line, bool overtime,
                               std::set<QString>& codes) const;
    // Keeps the date text of every day, so that the days' texts read them side by side.
    void MakeDateTexts(const TReportDays& days);
    void MakeDayTexts(const TDay& day, bool overtime, TDayTexts& out) const;

    TReportBand* FColumnHeader = nullptr;
    TReportBand* FDetail = nullptr;
    TReportBand* FTotal = nullptr;
    int FLineIndex = 0;
    QString FLastClient;
    QString FLastProject;
    bool FFinalSubTotalDone = false;
    double FProjectNormal = 0;
    double FProjectOvertime = 0;
    double FGrandNormal = 0;
    double FGrandOvertime = 0;
    double FProjectHours = 0;
    double FGrandHours = 0;
    TMoney FProjectAmount;
    TMoney FGrandAmount;
    int FProjectLeft = 92;
    int FCategoryLeft = 248;
    int FRemarksLeft = 600;
};

class TActivityReportA4 : public TBaseActivityReport {
public:
    TActivityReportA4() : TBaseActivityReport(false, false) {}
};
class TActivityReportLTR : public TBaseActivityReport {
public:
    TActivityReportLTR() : TBaseActivityReport(false, true) {}
};
class TActivityBillingReportA4 : public TBaseActivityReport {
public:
    TActivityBillingReportA4() : TBaseActivityReport(true, false) {}
};
class TActivityBillingReportLTR : public TBaseActivityReport {
public:
    TActivityBillingReportLTR() : TBaseActivityReport(true, true) {}
};
