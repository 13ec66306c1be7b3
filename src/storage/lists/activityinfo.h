#pragma once

#include "storage/lists/extrainfo.h"

#include <QMetaType>

// An activity of a category: only the active flag.
class TActivityInfo : public TExtraInfo {
public:
    using TExtraInfo::TExtraInfo;
};

// Held by value in the nodes of the list trees.
Q_DECLARE_METATYPE(TActivityInfo)
