#include "cli/clicommands.h"

#include <cstdio>
#include <exception>

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstring>
#include <memory>

namespace {
// Reports measure and draw text, which needs the GUI's fonts; no display is needed for that.
bool WantsReport(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "report") == 0)
            return true;
    return false;
}
} // namespace

int main(int argc, char* argv[]) {
    std::unique_ptr<QCoreApplication> application;
    if (WantsReport(argc, argv)) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
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
