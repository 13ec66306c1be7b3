#include "projectinfo.h"

#include "storage/billing.h"

QString TProjectInfo::BillingText() const {
    return BillingInfo ? ::BillingText(*BillingInfo) : QString();
}
