#pragma once

#include <QStringList>
#include <QTextStream>

// "report daily|weekly|activity|overtime [options]": collects the days as the report window
// would and writes the report text (to out when no file is named) and the printed pages as
// PDF. The options of daily and activity: [--billing] [--letter] [--from YYYY-MM-DD --to
// YYYY-MM-DD] [--users a,b | --all-users] [--client NAME [--project NAME]] [--charging
// all|chargeable|not-chargeable] [--no-overtime] [--remarks] [--text FILE] [--pdf FILE];
// overtime takes them without --no-overtime; weekly takes no --billing, --to, --charging,
// --no-overtime, --remarks, --client or --project, and reports the week (from the configured
// first day of the week) holding --from, or today. --users and --all-users need a work group,
// and every name given must be one of its users. Exit status 0 for a report, 1 when there is
// nothing to report or the period check fails, 2 for a usage error (an unknown user among
// them). Needs a QGuiApplication (the command line makes an offscreen one).
int RunReportCommand(const QStringList& args, QTextStream& out, QTextStream& err);
