#pragma once

// What a list keeps about one sub-entry besides its name: whether it is offered for new
// time entries.
class TExtraInfo {
public:
    TExtraInfo() = default;
    explicit TExtraInfo(bool active) : Active(active) {}

    bool operator==(const TExtraInfo&) const = default;

    bool Active = false;
};
