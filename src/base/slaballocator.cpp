#include "slaballocator.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
constexpr std::size_t Alignment = alignof(std::max_align_t);
// Counts for the objects cut from a slab that its thread has not handed over yet; a slab's
// count never reaches zero while its thread still cuts from it.
constexpr std::uint64_t OwnerShare = std::uint64_t(1) << 48;

std::atomic<std::size_t> SlabCount{0};

// The head of a slab, at its start; objects follow.
struct alignas(64) TSlabHead {
    std::atomic<std::uint64_t> Live{OwnerShare};
};

constexpr std::size_t CacheLine = 64;

// Objects larger than a cache line start one, so that they span as few cache lines as their
// size allows.
constexpr std::size_t RoundUp(std::size_t size) {
    const std::size_t unit = size > CacheLine ? CacheLine : Alignment;
    return (size + unit - 1) / unit * unit;
}

void Release(TSlabHead* slab, std::uint64_t count) noexcept {
    if (slab->Live.fetch_sub(count, std::memory_order_acq_rel) == count) {
        slab->~TSlabHead();
        std::free(slab);
        --SlabCount;
    }
}

// The slab this thread cuts from, and how many objects it cut from it.
class TThreadSlab {
public:
    ~TThreadSlab() { Retire(); }

    void* Cut(std::size_t size) {
        if (!FSlab || FUsed + size > TSlabAllocator::SlabBytes)
            Start();
        void* object = reinterpret_cast<char*>(FSlab) + FUsed;
        FUsed += size;
        ++FCut;
        return object;
    }

private:
    void Start() {
        void* memory = std::aligned_alloc(TSlabAllocator::SlabBytes, TSlabAllocator::SlabBytes);
        if (!memory)
            throw std::bad_alloc();
        Retire();
        FSlab = new (memory) TSlabHead;
        ++SlabCount;
        FUsed = RoundUp(sizeof(TSlabHead));
        FCut = 0;
    }
    // Hands the objects cut over to the slab's count: it goes when they are freed.
    void Retire() noexcept {
        if (FSlab)
            Release(FSlab, OwnerShare - FCut);
        FSlab = nullptr;
    }

    TSlabHead* FSlab = nullptr;
    std::size_t FUsed = 0;
    std::uint64_t FCut = 0;
};

// Objects of up to a cache line and larger ones are cut from slabs of their own, so that the
// larger ones lie one after the other on whole cache lines.
thread_local TThreadSlab SmallObjects;
thread_local TThreadSlab LargeObjects;
} // namespace

void* TSlabAllocator::Allocate(std::size_t size) {
    if (size > LargestObject)
        return ::operator new(size);
    return (size > CacheLine ? LargeObjects : SmallObjects).Cut(RoundUp(size));
}

void TSlabAllocator::Free(void* object, std::size_t size) noexcept {
    if (!object)
        return;
    if (size > LargestObject) {
        ::operator delete(object);
        return;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(object);
    Release(reinterpret_cast<TSlabHead*>(address & ~std::uintptr_t(SlabBytes - 1)), 1);
}

std::size_t TSlabAllocator::SlabsInUse() {
    return SlabCount.load();
}
