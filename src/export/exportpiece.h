#pragma once

#include "encodedrows.h"
#include "exportvocabulary.h"

#include <array>
#include <cstddef>

#include <QStringList>

// The rows that one stretch of an export's report lines gives, such as the lines of one
// month: the Time group's rows as the bytes of the file, and the distinct rows of the Client
// and Category groups in the order they were first met (sorted only once all pieces are
// joined). The pieces of a period, joined in order, give the same file as all its lines at
// once.
struct TExportPiece {
    TEncodedRows TimeRows;
    std::array<QStringList, ExportAreaCount> ListRows; // by area (AreaIndex): Client, Category
    std::size_t Lines = 0;
};
