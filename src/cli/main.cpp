#include "cli/clicommands.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const int code = RunCli(QCoreApplication::arguments(), out, err);
    out.flush();
    err.flush();
    return code;
}
