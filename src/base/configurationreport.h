#pragma once

#include <QDateTime>
#include <QString>

// The support report: the time it was made, the data locations, the command-line arguments
// and the lines of both settings files. An existing settings file that cannot be read raises
// EInOutError; a settings file that does not exist yet lists no lines.
QString ConfigurationReport(const QDateTime& now = QDateTime::currentDateTime());
