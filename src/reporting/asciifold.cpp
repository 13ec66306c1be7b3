#include "asciifold.h"

#include "base/hashmix.h"

#include <cstring>

namespace {
// Setting bit 0x20 of every character maps A-Z onto a-z. It also joins a few other pairs,
// which only makes the hash coarser; the comparison stays exact.
constexpr std::uint64_t FoldBits = 0x0020002000200020ULL;
constexpr qsizetype CharsPerWord = 4;

// Four characters at a time: most names are compared and hashed in a handful of steps.
std::uint64_t WordHash(QStringView text, std::uint64_t seed, std::uint64_t foldBits) {
    const char16_t* chars = text.utf16();
    const qsizetype size = text.size();
    std::uint64_t hash = HashMix(seed, static_cast<std::uint64_t>(size));
    qsizetype i = 0;
    for (; i + CharsPerWord <= size; i += CharsPerWord) {
        std::uint64_t word = 0;
        std::memcpy(&word, chars + i, sizeof word);
        hash = HashMix(hash, word | foldBits);
    }
    std::uint64_t tail = 0;
    for (; i < size; ++i)
        tail = (tail << 16) | (chars[i] | (foldBits & 0xFFFF));
    hash = HashMix(hash, tail);
    return hash ^ (hash >> 29);
}
} // namespace

bool SameAsciiFolded(QStringView a, QStringView b) {
    const qsizetype size = a.size();
    if (size != b.size())
        return false;
    const char16_t* x = a.utf16();
    const char16_t* y = b.utf16();
    if (size == 0 || x == y ||
        std::memcmp(x, y, static_cast<std::size_t>(size) * sizeof(char16_t)) == 0)
        return true;
    for (qsizetype i = 0; i < size; ++i)
        if (x[i] != y[i] && FoldAscii(x[i]) != FoldAscii(y[i]))
            return false;
    return true;
}

std::uint64_t AsciiFoldedHash(QStringView text, std::uint64_t seed) {
    return WordHash(text, seed, FoldBits);
}

std::uint64_t ExactHash(QStringView text, std::uint64_t seed) {
    return WordHash(text, seed, 0);
}
