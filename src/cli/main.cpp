#include "cli/clicommands.h"

#include <cstdio>
#include <exception>

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    int code = 1;
    try {
        code = RunCli(QCoreApplication::arguments(), out, err);
    } catch (const std::exception& error) {
        // Whatever a command did not handle ends it with a message, not with an abort.
        err << QStringLiteral("quillhour-cli: ") << QString::fromLocal8Bit(error.what()) << '\n';
    }
    out.flush();
    err.flush();
    return code;
}
