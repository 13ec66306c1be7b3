#pragma once

#include "base/slaballocator.h"
#include "storage/values/money.h"

#include <cstdint>
#include <memory>

#include <QString>

// Billing codes: 0 and 1 describe time without billing data (chargeable or not); 2 to 5 are
// the codes a block with billing data is given.
enum TBillingCode : std::uint8_t {
    bcChargeable = 0,
    bcNotChargeable = 1,
    bcHourlyRate = 2,
    bcFixedPrice = 3,
    bcContract = 4,
    bcFreeOfCharge = 5,
};

// Where a rate came from. The program itself always gives rsUser; the other values are
// kept as read.
enum TRateSource : std::uint8_t {
    rsCase = 0,
    rsUser = 1,
    rsClient = 2,
    rsProject = 3,
};

// Billing code, rate source and rate of a block or a project.
class TBillingInfo {
public:
    // Read by the hundred thousand for a report and freed together (slaballocator.h).
    static void* operator new(std::size_t size) { return TSlabAllocator::Allocate(size); }
    static void operator delete(void* object, std::size_t size) noexcept {
        TSlabAllocator::Free(object, size);
    }

    TBillingInfo() = default;
    TBillingInfo(std::uint8_t code, std::uint8_t source, TMoney rate);

    // The billing object a billing text describes; none when the text is not readable.
    static std::unique_ptr<TBillingInfo> CreateFromText(const QString& text);

    void SetValues(std::uint8_t code, std::uint8_t source, TMoney rate);
    // False exactly for "Not Chargeable" and "Free of Charge".
    bool IsChargeable() const;

    bool operator==(const TBillingInfo&) const = default;

    std::uint8_t Code = bcChargeable;
    std::uint8_t Source = rsCase;
    TMoney Rate;
};
