#include "base/slaballocator.h"

#include <cstdint>
#include <cstring>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {
struct TPiece {
    void* Memory;
    std::size_t Size;
    unsigned char Mark;
};

// Objects of mixed sizes, each filled with its own mark.
std::vector<TPiece> CutPieces(std::size_t count, unsigned char firstMark) {
    std::vector<TPiece> pieces;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t size = 1 + (i * 37) % 300;
        const auto mark = static_cast<unsigned char>(firstMark + i);
        void* memory = TSlabAllocator::Allocate(size);
        std::memset(memory, mark, size);
        pieces.push_back({memory, size, mark});
    }
    return pieces;
}

bool Intact(const TPiece& piece) {
    const auto* bytes = static_cast<const unsigned char*>(piece.Memory);
    for (std::size_t i = 0; i < piece.Size; ++i)
        if (bytes[i] != piece.Mark)
            return false;
    return true;
}

void FreeAll(const std::vector<TPiece>& pieces) {
    for (const TPiece& piece : pieces)
        TSlabAllocator::Free(piece.Memory, piece.Size);
}
} // namespace

TEST(SlabAllocator, ObjectsAreAlignedAndNeverOverlap) {
    const std::vector<TPiece> pieces = CutPieces(5000, 1); // many slabs
    for (const TPiece& piece : pieces) {
        const auto address = reinterpret_cast<std::uintptr_t>(piece.Memory);
        EXPECT_EQ(address % alignof(std::max_align_t), 0U);
        if (piece.Size > 64) {
            EXPECT_EQ(address % 64, 0U) << piece.Size;
        }
        EXPECT_TRUE(Intact(piece));
    }
    FreeAll(pieces);

    // Larger objects come from the heap and go back to it.
    void* large = TSlabAllocator::Allocate(TSlabAllocator::LargestObject + 1);
    std::memset(large, 7, TSlabAllocator::LargestObject + 1);
    TSlabAllocator::Free(large, TSlabAllocator::LargestObject + 1);
    TSlabAllocator::Free(nullptr, 8);
}

// Objects made on threads that have ended and freed on another thread, in any order: every
// slab goes back once its objects are freed.
TEST(SlabAllocator, SlabsGoBackWhenTheirObjectsAreFreedOnAnyThread) {
    const std::size_t before = TSlabAllocator::SlabsInUse();
    std::vector<std::vector<TPiece>> made(3);
    {
        std::vector<std::jthread> threads;
        for (std::size_t t = 0; t < made.size(); ++t)
            threads.emplace_back(
                [&made, t] { made[t] = CutPieces(3000, static_cast<unsigned char>(t * 50)); });
    }
    EXPECT_GT(TSlabAllocator::SlabsInUse(), before);
    for (std::size_t t = 0; t < made.size(); ++t) {
        for (const TPiece& piece : made[t])
            ASSERT_TRUE(Intact(piece));
        // Backwards for one, half on another thread for the other.
        if (t == 0) {
            for (auto it = made[t].rbegin(); it != made[t].rend(); ++it)
                TSlabAllocator::Free(it->Memory, it->Size);
        } else {
            const std::vector<TPiece> first(made[t].begin(), made[t].begin() + 1500);
            std::jthread other([&first] { FreeAll(first); });
            FreeAll({made[t].begin() + 1500, made[t].end()});
        }
    }
    EXPECT_EQ(TSlabAllocator::SlabsInUse(), before);
}

// The slabs a thread still cuts from stay while their objects come and go.
TEST(SlabAllocator, TheSlabInUseStaysWhileEmpty) {
    std::size_t during = 0;
    std::size_t after = 0;
    const std::size_t before = TSlabAllocator::SlabsInUse();
    std::jthread([&] {
        FreeAll(CutPieces(10, 3));
        during = TSlabAllocator::SlabsInUse();
        const std::vector<TPiece> again = CutPieces(10, 9);
        for (const TPiece& piece : again)
            EXPECT_TRUE(Intact(piece));
        FreeAll(again);
    }).join();
    after = TSlabAllocator::SlabsInUse();
    EXPECT_EQ(during, before + 2); // one for small objects, one for larger ones
    EXPECT_EQ(after, before);
}
