#pragma once

#include <QLocale>

// The one locale the program formats and parses with: the system locale in the program,
// a pinned one in tests. Every locale-dependent text goes through it.
const QLocale& AppLocale();
void SetAppLocale(const QLocale& locale);
