#include "fuzzsupport.h"

#include "base/applocale.h"
#include "base/messages.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
std::unique_ptr<QTemporaryDir>& TempFolder() {
    static std::unique_ptr<QTemporaryDir> folder;
    return folder;
}
} // namespace

void StartFuzzing() {
    static bool started = false;
    if (started)
        return;
    started = true;
    // A reader that asks a question gets the safe answer; nothing is shown or printed.
    SetMessageBoxHandler([](const QString&, TMsgKind, int buttons) {
        if (buttons & mbCancel)
            return static_cast<int>(mrCancel);
        if (buttons & mbNo)
            return static_cast<int>(mrNo);
        return static_cast<int>(mrOk);
    });
    SetAppLocale(QLocale::c());
    TempFolder() = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/qhfuzz-XXXXXX"));
    if (!TempFolder()->isValid())
        FuzzFailure("temporary folder", __FILE__, __LINE__, TempFolder()->errorString());
}

QString FuzzFolder() {
    return TempFolder()->path() + QLatin1Char('/');
}

QString WriteFuzzFile(const QString& name, QByteArrayView bytes) {
    const QString path = FuzzFolder() + name;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size())
        FuzzFailure("input file written", __FILE__, __LINE__, path);
    return path;
}

QByteArray FuzzFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

int MaxLineCount(QByteArrayView bytes) {
    int lines = 1;
    for (const char c : bytes)
        if (c == '\r' || c == '\n')
            ++lines;
    return lines;
}

QString ShownText(const QString& text) {
    constexpr qsizetype Longest = 4000;
    QString shown;
    for (const QChar ch : QStringView(text).left(Longest)) {
        if (ch.unicode() < 0x20 || ch.unicode() == 0x7F)
            shown += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            shown += ch;
    }
    return shown;
}

void FuzzFailure(const char* check, const char* file, int line, const QString& detail) {
    std::fprintf(stderr, "\n*** Fuzz check failed: %s\n    at %s:%d\n    %s\n", check, file, line,
                 detail.toUtf8().constData());
    std::fflush(stderr);
    TempFolder().reset(); // abort leaves no destructor to remove it
    std::abort();
}

QLocale FuzzLocale(std::uint8_t pick) {
    static const std::array<QLocale, 6> locales = {
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::English, QLocale::UnitedKingdom),
        QLocale(QLocale::Japanese, QLocale::Japan),
    };
    return locales[pick % locales.size()];
}
