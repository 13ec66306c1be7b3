#pragma once

#include <functional>

#include <QString>

class QWidget;
class TBaseReport;

// Asks where to save (the initial name is the last one used) and returns the chosen file, or
// nothing when the user cancelled. Replaceable for tests.
using TAskReportFile = std::function<QString(QWidget* parent, const QString& initial)>;
QString AskReportFileWithDialog(QWidget* parent, const QString& initial);

// Saves the report's text where the user says: the overwrite question for an existing file,
// the name remembered in the personal settings, and "Unable to save file - another application
// may be using it" when the file cannot be written. True when the text was written.
bool SaveReportText(TBaseReport& report, QWidget* parent,
                    const TAskReportFile& ask = AskReportFileWithDialog);
