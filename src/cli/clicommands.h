#pragma once

#include <QStringList>
#include <QTextStream>

// Runs one quillhour-cli command. args are the whole command line (argument 0 is the program);
// the data location switches "/datadir DIR" and "--datadir DIR" and "/multi" may stand anywhere.
// What the program would show in a message box goes to err. Returns the exit code.
int RunCli(const QStringList& args, QTextStream& out, QTextStream& err);

QString CliUsage();
