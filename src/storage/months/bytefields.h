#pragma once

#include "base/charsearch.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include <QtGlobal>

// Splitting the lines of a data file into their tab-separated fields, on the file's bytes. As
// with NextTokenView, the tabs before a field are skipped, so that a run of tabs separates like
// one tab. Blanks are the bytes up to the space, which are the same characters in every
// encoding the data files use.

inline bool IsBlankByte(char ch) {
    return static_cast<unsigned char>(ch) <= static_cast<unsigned char>(' ');
}

// text without blanks at either end.
inline std::string_view TrimByteBlanks(std::string_view text) {
    std::size_t start = 0;
    std::size_t end = text.size();
    while (start < end && IsBlankByte(text[start]))
        ++start;
    while (end > start && IsBlankByte(text[end - 1]))
        --end;
    return text.substr(start, end - start);
}

// Takes the next field off rest: the run of bytes up to the next separator, after skipping the
// separators before it.
inline std::string_view NextByteToken(std::string_view& rest, char separator) {
    std::size_t start = 0;
    while (start < rest.size() && rest[start] == separator)
        ++start;
    std::size_t end = start;
    while (end < rest.size() && rest[end] != separator)
        ++end;
    const std::string_view token = rest.substr(start, end - start);
    rest = rest.substr(end < rest.size() ? end + 1 : end);
    return token;
}

// Splits line into its first fields.size() fields, found through the line's tabs taken 64
// bytes at a time as a bit mask: a month line's dozen short fields cost a few bit operations
// each. Fields beyond the line's last are empty. Returns how many fields the line has (at most
// fields.size()).
template <std::size_t Count>
std::size_t SplitTabFields(std::string_view line, std::array<std::string_view, Count>& fields) {
    std::size_t found = 0;
    std::size_t start = 0; // where the field after the last tab begins
    for (std::size_t base = 0; base < line.size(); base += 64) {
        const std::size_t count = std::min<std::size_t>(64, line.size() - base);
        for (std::uint64_t tabs = ByteMask(line.data() + base, static_cast<qsizetype>(count), '\t');
             tabs != 0; tabs &= tabs - 1) {
            const std::size_t tab = base + static_cast<std::size_t>(__builtin_ctzll(tabs));
            if (tab > start) { // a run of tabs holds no field
                fields[found++] = line.substr(start, tab - start);
                if (found == Count)
                    return found;
            }
            start = tab + 1;
        }
    }
    if (start < line.size())
        fields[found++] = line.substr(start);
    for (std::size_t i = found; i < Count; ++i)
        fields[i] = {};
    return found;
}
