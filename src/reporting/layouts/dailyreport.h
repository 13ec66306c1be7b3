#pragma once

#include "reporting/layouts/basereport.h"

// The daily report ("Daily Summary"): one group per day with reportable hours, headed by the
// date, one line per task (or per block when remarks are broken down), a daily sub-total and a
// grand total. The billing variant shows code, hours, rate and charge per line.
class TBaseDailyReport : public TBaseReport {
public:
    TBaseDailyReport(bool billing, bool letter);

protected:
    void ArrangeColumns() override;
    bool PrepareLines() override;
    void WriteReportText() override;
    void StartLayoutRun() override;

private:
    void CreateBands();
    void CreatePlainColumns();
    void CreateBillingColumns();
    bool NextDay();
    bool NextLine();
    void FillDayTotals();
    void AddToGrandTotals();
    void FillGrandTotals();
    void WritePlainLine(const TReportLine& line, QDate date, const QString& dayTotals);

    TReportBand* FColumnHeader = nullptr;
    TReportBand* FDay = nullptr;
    TReportBand* FDetail = nullptr;
    TReportBand* FDayTotal = nullptr;
    TReportBand* FTotal = nullptr;
    std::size_t FDayIndex = 0;
    int FLineIndex = 0;
    double FGrandNormal = 0;
    double FGrandOvertime = 0;
    double FGrandHours = 0;
    TMoney FGrandAmount;
    // Design positions of the text columns, for ReportColumnDefault.
    int FProjectLeft = 92;
    int FCategoryLeft = 248;
    int FRemarksLeft = 600;
};

class TDailyReportA4 : public TBaseDailyReport {
public:
    TDailyReportA4() : TBaseDailyReport(false, false) {}
};
class TDailyReportLTR : public TBaseDailyReport {
public:
    TDailyReportLTR() : TBaseDailyReport(false, true) {}
};
class TDailyBillingReportA4 : public TBaseDailyReport {
public:
    TDailyBillingReportA4() : TBaseDailyReport(true, false) {}
};
class TDailyBillingReportLTR : public TBaseDailyReport {
public:
    TDailyBillingReportLTR() : TBaseDailyReport(true, true) {}
};
