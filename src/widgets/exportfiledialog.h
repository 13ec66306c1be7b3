#pragma once

#include <functional>

#include <QString>

class QLineEdit;
class QWidget;

// Asks for an export's output file: start is the name typed, suffix ".csv" or ".txt"; an
// empty answer means cancelled.
using TExportFileDialog =
    std::function<QString(QWidget* parent, const QString& start, const QString& suffix)>;

// The platform's save dialog ("SaveDialog") proposing suffix.
QString PlatformExportFileDialog(QWidget* parent, const QString& start, const QString& suffix);

// Browse for the file of field: the dialog starts from its text; a chosen name that can be
// created goes into field as a full path, any other is refused with an error box. True when a
// name was taken.
bool BrowseExportFile(QLineEdit* field, const TExportFileDialog& dialog, const QString& suffix);
