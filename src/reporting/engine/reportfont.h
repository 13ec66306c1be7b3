#pragma once

#include <QFont>
#include <QString>

// The one font of every report, on screen, on paper and in PDF files alike: Liberation Sans
// with its regular, bold, italic and bold italic faces, compiled into the program's resources
// (Debian's fonts-liberation2, SIL Open Font License 1.1). Its widths are Arial's, close to the
// Tahoma of the report design. The faces are registered with the application's font database
// on first use, so the program and the command line tool draw the same pages.

// The family name of the report font; registers the faces first (needs a QGuiApplication).
// Falls back to the toolkit's sans-serif when the faces cannot be registered.
QString ReportFontFamily();
// True when the report faces were registered from the program's resources.
bool ReportFontsRegistered();
// The report font at pointSize, unhinted so that its widths are the same at every size and
// on every device.
QFont ReportFont(double pointSize, bool bold = false, bool italic = false);
