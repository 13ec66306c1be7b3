#include "billinginfo.h"

#include "storage/months/billing.h"

TBillingInfo::TBillingInfo(std::uint8_t code, std::uint8_t source, TMoney rate)
    : Code(code), Source(source), Rate(rate) {}

std::unique_ptr<TBillingInfo> TBillingInfo::CreateFromText(const QString& text) {
    TBillingInfo info;
    if (!ParseBillingText(text, info.Code, info.Source, info.Rate))
        return nullptr;
    return std::make_unique<TBillingInfo>(info);
}

void TBillingInfo::SetValues(std::uint8_t code, std::uint8_t source, TMoney rate) {
    Code = code;
    Source = source;
    Rate = rate;
}

bool TBillingInfo::IsChargeable() const {
    return Code != bcNotChargeable && Code != bcFreeOfCharge;
}
