#pragma once

#include "base/slaballocator.h"
#include "storage/months/billinginfo.h"
#include "storage/values/money.h"

#include <cstdint>
#include <memory>

#include <QString>

class TIniFile;

// One time entry: a span of one day with the work it was spent on. Times are hundredths of
// an hour (timevalues.h). The five texts are kept trimmed. With a billing object, Chargeable
// follows its code; without one it is set on its own.
class TBlock {
public:
    // Read by the hundred thousand for a report and freed together (slaballocator.h).
    static void* operator new(std::size_t size) { return TSlabAllocator::Allocate(size); }
    static void operator delete(void* object, std::size_t size) noexcept {
        TSlabAllocator::Free(object, size);
    }

    // Texts empty, flags false, no billing.
    TBlock(int startTime, int endTime);
    TBlock(const TBlock&) = delete;
    TBlock& operator=(const TBlock&) = delete;

    // A block dropped from the palette: included in reports, not overtime, chargeable unless
    // the code is "Not Chargeable" or "Free of Charge"; with a billing object when withBilling.
    static std::unique_ptr<TBlock> CreateNew(int startTime, int endTime, std::uint8_t code,
                                             std::uint8_t source, TMoney rate, bool withBilling);
    // Reads the block's ini-section record. Raises EBlockCreateError: "No block data" when
    // the section is missing, "Block time data corrupt" unless 0 <= start < end <= 2400, and
    // "Block billing data corrupt" when its billing text cannot be read. defaultToChargeable
    // is the personal setting "DefaultToChargeable", used when the record has no
    // "Chargeable" key.
    static std::unique_ptr<TBlock> CreateFromSection(const TIniFile& ini, const QString& section,
                                                     bool defaultToChargeable = true);
    // The same times, then AssignContent: the copy a user makes.
    static std::unique_ptr<TBlock> CreateCopy(const TBlock& other);
    // Every field exactly as it is, billing included: the copy a month's snapshot keeps, which
    // must compare equal to the block it was taken from.
    static std::unique_ptr<TBlock> CreateDuplicate(const TBlock& other);

    // Stores the texts trimmed and the flags. A given billingInfo replaces the present one
    // and Chargeable follows its code; without one the present billing object stays and
    // Chargeable is taken as given. True when the block is complete.
    bool SetFields(const QString& userName, const QString& client, const QString& project,
                   const QString& category, const QString& activity, const QString& remarks,
                   bool overTime, bool reportable, bool chargeable,
                   std::unique_ptr<TBillingInfo> billingInfo);
    // What the block details hand over. With billingActive the rate text is checked
    // (CheckRateText with currencySymbol) and the billing object is updated or created, and
    // Chargeable follows the code; otherwise the billing object is left alone. True when the
    // block is complete and the rate text was accepted; the block is updated either way.
    bool UpdateFromEntry(const QString& userName, const QString& client, const QString& project,
                         const QString& category, const QString& activity, const QString& remarks,
                         bool overTime, bool reportable, bool chargeable, bool billingActive,
                         std::uint8_t code, std::uint8_t source, QString rateText,
                         const QString& currencySymbol = {});
    // Everything but the times. Billing goes through UpdateFromEntry with the other block's
    // rate text, as a copy made by the user does.
    void AssignContent(const TBlock& other);
    void Assign(const TBlock& other);
    // Start down, end to the nearest unit of time; true when either changed.
    bool Snap();

    int Duration() const { return EndTime - StartTime; }
    // Real hours, rounded to whole minutes.
    double Hours() const;
    // decimal is the personal setting "DecimalDurationFormat".
    QString DurationText(bool decimal) const;
    // "9:00 AM - 10:30 AM" in the locale's time form, both ends clamped to the day.
    QString TimeRangeText() const;
    // The texts, "Not reported", "Overtime" and the billing of the block, one per line, lines
    // joined by LF CR. currencySymbol is the one of the short billing text.
    QString SummaryText(const QString& currencySymbol) const;
    bool IsComplete() const;
    bool IsBlank() const;
    // Every field equal, texts exactly, billing objects by value.
    bool Equals(const TBlock& other) const;
    void WriteToSection(TIniFile& ini, const QString& section) const;

    // Laid out so that what a consolidated report reads of every block (times, flags,
    // billing and the four names) lies in the first two cache lines of the block.
    int StartTime;
    int EndTime;
    bool Chargeable = false;
    bool OverTime = false;
    bool Reportable = false;
    std::unique_ptr<TBillingInfo> BillingInfo;
    QString Client;
    QString Project;
    QString Category;
    QString Activity;
    QString UserName;
    QString Remarks;

private:
    void StoreTexts(const QString& userName, const QString& client, const QString& project,
                    const QString& category, const QString& activity, const QString& remarks);
};
