#include "applocale.h"

namespace {
QLocale& Current() {
    static QLocale locale = QLocale::system();
    return locale;
}
} // namespace

const QLocale& AppLocale() { return Current(); }

void SetAppLocale(const QLocale& locale) { Current() = locale; }
