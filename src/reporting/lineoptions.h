#pragma once

#include <QString>

// Which blocks a report or export takes by their chargeable flag; stored in export formats
// as its number (0, 1, 2).
enum class TCharging { IncludeAll, ChargeableOnly, NotChargeableOnly };

// The switches and filters that decide which blocks become report lines, and how.
struct TLineOptions {
    // Copy the block's user into the line; without it blocks of different users merge.
    bool WithUser = false;
    // Keep only this client (a-z letter case ignored); empty keeps all.
    QString ClientFilter;
    // Keep only this project, compared the same way; empty keeps all.
    QString ProjectFilter;
    // Drop the remarks and merge the blocks of one task into one line.
    bool Consolidate = false;
    TCharging Charging = TCharging::IncludeAll;
    bool ExcludeOvertime = false;
    bool OvertimeOnly = false;
    // Fill the lines' billing code; without it the code is empty.
    bool WithBillingCode = false;
};
