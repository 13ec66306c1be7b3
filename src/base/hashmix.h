#pragma once

#include <array>
#include <cstdint>

// The mixing steps shared by the program's own hash tables.

// Odd constants whose products spread a key's bits over the whole word: 2^64 divided by the
// golden ratio, then three primes of the xxHash family.
inline constexpr std::array<std::uint64_t, 4> HashMultipliers = {
    0x9E3779B97F4A7C15ULL, 0xC2B2AE3D27D4EB4FULL, 0x165667B19E3779F9ULL, 0xD6E8FEB86659FD93ULL};

// One step of a running hash: value folded into hash.
constexpr std::uint64_t HashMix(std::uint64_t hash, std::uint64_t value) {
    return (hash ^ value) * HashMultipliers[0];
}

// The high bits, which the products mix best, folded into the low ones that pick a slot.
constexpr std::uint64_t HashFinish(std::uint64_t hash) {
    return hash ^ (hash >> 29) ^ (hash >> 41);
}

// Two words hashed together: two products that do not wait for each other.
constexpr std::uint64_t HashWords(std::uint64_t a, std::uint64_t b) {
    return HashFinish((a * HashMultipliers[0]) ^ (b * HashMultipliers[1]));
}
