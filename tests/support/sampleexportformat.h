#pragma once

#include "export/exportformat.h"

#include <initializer_list>

// An export format with every standard field: the Client and Category groups with their list
// fields, then the Time group with the sixteen others; headings on and one blank row between
// groups. Exports of the generator's data in benchmarks and tests use it.
TExportFormat EveryFieldExportFormat();

// A format with the standard fields given, in that order, each in the group it belongs to.
TExportFormat ExportFormatOf(std::initializer_list<TExportField> fields);
