#pragma once

#include "storage/charsearch.h"

#include <QtGlobal>

#include <cstdint>
#include <string_view>

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

// The fields of one line in turn. The line's tabs are found 64 bytes at a time and kept as a
// bit mask, so each of a month line's dozen short fields costs a few bit operations.
class TTabFields {
public:
    explicit TTabFields(std::string_view line) : FLine(line) { LoadMask(0); }

    // The next field as it stands; empty when the line is used up. Inlined on purpose: a month
    // line has a dozen fields, and a call for each costs as much as finding them.
    [[gnu::always_inline]] std::string_view Next() {
        std::size_t start = FPos;
        while (start < FLine.size() && FLine[start] == '\t')
            ++start;
        const std::size_t end = NextTab(start);
        FPos = end < FLine.size() ? end + 1 : end;
        return FLine.substr(start, end - start);
    }
    // The next field without blanks at its ends.
    [[gnu::always_inline]] std::string_view NextTrimmed() { return TrimByteBlanks(Next()); }

private:
    static constexpr std::size_t MaskBytes = 64;

    void LoadMask(std::size_t base) {
        FBase = base;
        const std::size_t count = std::min(MaskBytes, FLine.size() - base);
        FMask = ByteMask(FLine.data() + base, static_cast<qsizetype>(count), '\t');
    }

    // Index of the first tab at or after from; the line's size when there is none.
    [[gnu::always_inline]] std::size_t NextTab(std::size_t from) {
        while (from < FLine.size()) {
            if (from >= FBase + MaskBytes)
                LoadMask(from - (from - FBase) % MaskBytes);
            const std::uint64_t ahead = FMask >> (from - FBase);
            if (ahead != 0)
                return from + static_cast<std::size_t>(__builtin_ctzll(ahead));
            from = FBase + MaskBytes;
        }
        return FLine.size();
    }

    std::string_view FLine;
    std::size_t FPos = 0;
    std::size_t FBase = 0;
    std::uint64_t FMask = 0;
};
