#pragma once

#include <cstdint>
#include <cstring>

#include <QStringView>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Searches of the data file readers, which look for a tab or a line end in every short field
// of every line: many characters at a time where the processor allows.

// Index of the first character of text that is a or b; text.size() when there is none.
inline qsizetype FindFirstOf(QStringView text, char16_t a, char16_t b) {
    const char16_t* chars = text.utf16();
    const qsizetype n = text.size();
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i wantA = _mm_set1_epi16(static_cast<short>(a));
    const __m128i wantB = _mm_set1_epi16(static_cast<short>(b));
    for (; i + 8 <= n; i += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + i));
        const __m128i hits =
            _mm_or_si128(_mm_cmpeq_epi16(block, wantA), _mm_cmpeq_epi16(block, wantB));
        const int mask = _mm_movemask_epi8(hits);
        if (mask != 0)
            return i + __builtin_ctz(static_cast<unsigned>(mask)) / 2;
    }
#endif
    for (; i < n; ++i)
        if (chars[i] == a || chars[i] == b)
            return i;
    return n;
}

// The same searches over the bytes of a file, sixteen bytes at a time. Tabs and line ends are
// single bytes below 0x80 in every encoding the data files use, so files are split before
// anything is decoded.

// First byte in [begin, end) that is a or b; end when there is none.
inline const char* FindFirstByteOf(const char* begin, const char* end, char a, char b) {
    const char* p = begin;
#if defined(__SSE2__)
    const __m128i wantA = _mm_set1_epi8(a);
    const __m128i wantB = _mm_set1_epi8(b);
    for (; end - p >= 16; p += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(block, wantA), _mm_cmpeq_epi8(block, wantB)));
        if (mask != 0)
            return p + __builtin_ctz(static_cast<unsigned>(mask));
    }
#endif
    for (; p < end; ++p)
        if (*p == a || *p == b)
            return p;
    return end;
}

// Bit i set when bytes[i] is ch, for the first count (at most 64) bytes.
inline std::uint64_t ByteMask(const char* bytes, qsizetype count, char ch) {
    std::uint64_t mask = 0;
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i want = _mm_set1_epi8(ch);
    for (; i + 16 <= count; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        const auto bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, want)));
        mask |= static_cast<std::uint64_t>(bits) << i;
    }
    if (i < count && count >= 16) {
        // The rest through the last sixteen bytes, without the ones already looked at.
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + count - 16));
        auto bits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, want)));
        bits >>= i - (count - 16);
        mask |= static_cast<std::uint64_t>(bits) << i;
        i = count;
    }
#endif
    for (; i < count; ++i)
        if (bytes[i] == ch)
            mask |= std::uint64_t{1} << i;
    return mask;
}

// Exact equality of two byte runs of the same length, eight bytes at a time without a library
// call or a loop over the last bytes: the names a reader compares are short. The last word is
// read where it ends, overlapping the one before.
inline bool BytesEqual(const char* x, const char* y, std::size_t n) {
    const auto word = [](const char* p) {
        std::uint64_t value = 0;
        std::memcpy(&value, p, sizeof value);
        return value;
    };
    const auto half = [](const char* p) {
        std::uint32_t value = 0;
        std::memcpy(&value, p, sizeof value);
        return value;
    };
    if (n >= 8) {
        for (std::size_t i = 0; i + 8 < n; i += 8)
            if (word(x + i) != word(y + i))
                return false;
        return word(x + n - 8) == word(y + n - 8);
    }
    if (n >= 4)
        return half(x) == half(y) && half(x + n - 4) == half(y + n - 4);
    for (std::size_t i = 0; i < n; ++i)
        if (x[i] != y[i])
            return false;
    return true;
}
