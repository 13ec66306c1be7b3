#pragma once

#include "reporting/layouts/basereport.h"

#include <QDate>

// The overtime report ("Overtime"): the overtime of a period in date order, each line with its
// date (shown once per day), time span, task, remarks, charge flag and hours, and a grand
// total. The billing variant shows code, hours, rate and charge instead.
class TBaseOvertimeReport : public TBaseReport {
public:
    TBaseOvertimeReport(bool billing, bool letter);

    // Always off in this report: it prints no sub-total rows.
    bool ProjectSubTotals = false;

protected:
    // Overtime is always included.
    void LimitParameters(TReportParameters& parameters) override;
    void ArrangeColumns() override;
    bool PrepareLines() override;
    void WriteReportText() override;
    void StartLayoutRun() override;

private:
    void CreateBands();
    void CreatePlainColumns();
    void CreateBillingColumns();
    bool NextLine();
    void FillGrandTotals();
    // Overtime alone.
    TLineOptions OvertimeOptions(bool withUser, bool consolidate) const;

    TReportBand* FColumnHeader = nullptr;
    TReportBand* FDetail = nullptr;
    TReportBand* FTotal = nullptr;
    int FLineIndex = 0;
    QDate FLastDate;
    double FGrandOvertime = 0;
    double FGrandHours = 0;
    TMoney FGrandAmount;
    int FProjectLeft = 260;
    int FCategoryLeft = 406;
    int FRemarksLeft = 707;
};

class TOvertimeReportA4 : public TBaseOvertimeReport {
public:
    TOvertimeReportA4() : TBaseOvertimeReport(false, false) {}
};
class TOvertimeReportLTR : public TBaseOvertimeReport {
public:
    TOvertimeReportLTR() : TBaseOvertimeReport(false, true) {}
};
class TOvertimeBillingReportA4 : public TBaseOvertimeReport {
public:
    TOvertimeBillingReportA4() : TBaseOvertimeReport(true, false) {}
};
class TOvertimeBillingReportLTR : public TBaseOvertimeReport {
public:
    TOvertimeBillingReportLTR() : TBaseOvertimeReport(true, true) {}
};
