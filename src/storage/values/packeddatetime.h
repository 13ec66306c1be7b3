#pragma once

#include "storage/values/moment.h"

#include <QtGlobal>

// A date and time packed into 32 bits the way file systems of the FAT family keep them: the
// date in the high half (years since 1980, month, day), the time in the low half (hours,
// minutes, seconds halved). The resolution is two seconds; 0 stands for no moment.
using TPackedDateTime = quint32;

// The moment packed, its seconds rounded down to an even number; 0 for a moment before 1980
// or from 2100 on, which the packed form does not hold.
TPackedDateTime PackDateTime(const TMoment& moment);
// The moment a packed value stands for; the moment 0 for 0 and for values whose date or time
// is not a real one.
TMoment UnpackDateTime(TPackedDateTime packed);
