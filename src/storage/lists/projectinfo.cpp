#include "projectinfo.h"

#include "storage/months/billing.h"

QString TProjectInfo::BillingText() const {
    return BillingInfo ? ::BillingText(*BillingInfo) : QString();
}
