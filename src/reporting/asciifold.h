#pragma once

#include <cstdint>

#include <QStringView>

// Report lines and their filters compare names with the letter case of a-z ignored and every
// other character exact ("Müller" and "MÜLLER" stay different).

inline char16_t FoldAscii(char16_t ch) {
    return ch >= u'A' && ch <= u'Z' ? static_cast<char16_t>(ch + (u'a' - u'A')) : ch;
}

// True when a and b are equal with the letter case of a-z ignored.
bool SameAsciiFolded(QStringView a, QStringView b);

// A hash that is equal for texts SameAsciiFolded takes as equal, mixed into seed.
std::uint64_t AsciiFoldedHash(QStringView text, std::uint64_t seed);
// A hash of the exact text, mixed into seed.
std::uint64_t ExactHash(QStringView text, std::uint64_t seed);
