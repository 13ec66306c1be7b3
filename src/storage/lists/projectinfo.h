#pragma once

#include "storage/lists/extrainfo.h"
#include "storage/months/billinginfo.h"

#include <optional>

#include <QMetaType>
#include <QString>

// A project of a client: the active flag and the billing information the list file gave it.
// The billing is held by value, so copying a project copies its billing too.
class TProjectInfo : public TExtraInfo {
public:
    TProjectInfo() = default;
    explicit TProjectInfo(bool active, std::optional<TBillingInfo> billing = std::nullopt)
        : TExtraInfo(active), BillingInfo(billing) {}

    // The billing text written to the list file; empty without billing (or for codes that
    // have no billing text).
    QString BillingText() const;

    bool operator==(const TProjectInfo&) const = default;

    std::optional<TBillingInfo> BillingInfo;
};

// Held by value in the nodes of the list trees.
Q_DECLARE_METATYPE(TProjectInfo)
