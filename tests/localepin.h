#pragma once

#include "base/applocale.h"

#include <QLocale>
#include <QString>

// Pins the program's locale for the life of the object and returns to the C locale of the
// tests afterwards.
class TLocalePin {
public:
    explicit TLocalePin(const QString& name) {
        SetAppLocale(name == QLatin1String("C") ? QLocale::c() : QLocale(name));
    }
    ~TLocalePin() { SetAppLocale(QLocale::c()); }
    TLocalePin(const TLocalePin&) = delete;
    TLocalePin& operator=(const TLocalePin&) = delete;
};
