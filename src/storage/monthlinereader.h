#pragma once

#include "storage/billinginfo.h"
#include "storage/textpool.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <memory>
#include <optional>
#include <vector>

class TBlock;

// The fields of one month line after its date, as the program reads them. The texts are parts
// of the line, trimmed; Remarks is still encoded and Billing still a text.
struct TMonthLine {
    int StartTime = 0;
    int EndTime = 0;
    QStringView Client;
    QStringView Project;
    QStringView Category;
    QStringView Activity;
    QStringView Remarks;
    bool OverTime = false;
    bool Reportable = false;
    bool Chargeable = true;
    QStringView Billing;
};

// Reads the lines of one month file. A field that cannot be read raises EDataLineError with
// the file, the line number and the field ("Date", "Start" or "End"). Consecutive lines of one
// day and the names that come again are read once and shared.
class TMonthLineReader {
public:
    TMonthLineReader(QString fileName, QString userName);

    QDate ReadDate(QStringView field, int line);
    // The fields after the date (the line without its first field).
    TMonthLine ReadFields(QStringView rest, int line) const;
    // The block of a line's fields, carrying the reader's user name. A billing text that
    // cannot be read gives a block without billing whose own chargeable flag applies.
    std::unique_ptr<TBlock> ReadBlock(QStringView rest, int line);

private:
    int ReadTime(QStringView field, const QString& name, int line) const;
    std::unique_ptr<TBillingInfo> Billing(QStringView text);

    // Billing texts read so far and what they gave (none when unreadable).
    struct TKnownBilling {
        QString Text;
        std::optional<TBillingInfo> Info;
    };
    static constexpr std::size_t KnownBillingCapacity = 16;

    QString FFileName;
    QString FUserName;
    QString FLastDateText;
    QDate FLastDate;
    TTextPool FClients;
    TTextPool FProjects;
    TTextPool FCategories;
    TTextPool FActivities;
    TTextPool FRemarks;
    std::vector<TKnownBilling> FKnownBilling;
};
