#pragma once

#include "base/textcodec.h"
#include "storage/months/billinginfo.h"
#include "storage/months/textpool.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <QDate>
#include <QString>

class TBlock;

// The fields of one month line after its date, as the program reads them. The texts are the
// bytes of the line, trimmed and not yet decoded (TMonthLineReader::Text); Remarks is still
// encoded and Billing still a text.
struct TMonthLine {
    int StartTime = 0;
    int EndTime = 0;
    std::string_view Client;
    std::string_view Project;
    std::string_view Category;
    std::string_view Activity;
    std::string_view Remarks;
    bool OverTime = false;
    bool Reportable = false;
    bool Chargeable = true;
    std::string_view Billing;
};

// Reads the lines of one month file, on the file's bytes (TDataFileBytes), decoding only the
// texts it has not met before. A field that cannot be read raises EDataLineError with the file,
// the line number and the field ("Date", "Start" or "End"). Consecutive lines of one day and
// the names that come again are read once and shared.
class TMonthLineReader {
public:
    TMonthLineReader(QString fileName, QString userName,
                     TDataEncoding encoding = TDataEncoding::Utf8);

    QDate ReadDate(std::string_view field, int line);
    // The fields after the date (the line without its first field).
    TMonthLine ReadFields(std::string_view rest, int line) const;
    // The block of a line's fields, carrying the reader's user name. A billing text that
    // cannot be read gives a block without billing whose own chargeable flag applies.
    std::unique_ptr<TBlock> ReadBlock(std::string_view rest, int line);
    // Bytes of the file decoded with its encoding.
    QString Text(std::string_view bytes) const;

private:
    int ReadTime(std::string_view field, const QString& name, int line) const;
    std::unique_ptr<TBillingInfo> Billing(std::string_view text);
    const std::optional<TBillingInfo>& CachedBilling(std::string_view text);

    // Start, end, client, project, category, activity, remarks, overtime, reportable,
    // chargeable and billing.
    static constexpr std::size_t FieldsAfterDate = 11;

    mutable std::array<std::string_view, FieldsAfterDate> FFields;
    QString FFileName;
    QString FUserName;
    TDataEncoding FEncoding;
    std::string FLastDateText;
    QDate FLastDate;
    TTextPool FClients;
    TTextPool FProjects;
    TTextPool FCategories;
    TTextPool FActivities;
    TTextPool FRemarks;
    // Cache of the billing texts met in the file, by their bytes; nullopt: unreadable.
    std::map<std::string, std::optional<TBillingInfo>, std::less<>> FBillings;
};
