#pragma once

#include "reporting/engine/reportlayouter.h"

#include <QString>

class QPagedPaintDevice;
class QPainter;

// Draws a page as the layouter made it, in layout units: the painter's transform maps them to
// the device (one unit is 1/96 inch) and its origin is the printable area's top left corner.
void PaintReportPage(QPainter& painter, const TReportPage& page);

// Prints every page the layouter makes onto a paged device (a printer, a PDF writer) set to
// the report's paper: one page after the other, none kept. The number of pages printed.
int PrintReportPages(TReportLayouter& layouter, const TReportPaper& paper,
                     QPagedPaintDevice& device);

// Writes the report as a PDF file, whole or not at all; false when there is no page or the file
// cannot be written (failure, if given, then says why, naming the file).
bool WriteReportPdf(TReportLayouter& layouter, const TReportPaper& paper, const QString& fileName,
                    const QString& title, int* pages = nullptr, QString* failure = nullptr);
