// Helper process for the single-instance tests. "hold NAME": takes the guard, prints "held"
// (or "busy") and keeps it until its standard input closes. "try NAME": exits 0 when it could
// take the guard, 3 when another process holds it.
#include "base/instanceguard.h"

#include <cstdio>
#include <iostream>
#include <string>

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 3)
        return 2;
    TInstanceGuard guard;
    const bool held = guard.TryAcquire(args.at(2));
    if (args.at(1) == QLatin1String("try"))
        return held ? 0 : 3;
    std::cout << (held ? "held" : "busy") << std::endl;
    std::string line;
    while (std::getline(std::cin, line)) {
    }
    return held ? 0 : 3;
}
