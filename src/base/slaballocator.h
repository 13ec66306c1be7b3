#pragma once

#include <cstddef>

// Memory for the small objects that are made by the hundred thousand and freed together, such
// as the blocks of a work group's year read for a report. Each thread cuts its objects one
// after the other from a slab of its own, with no lock and no search; a slab goes back to the
// system when the last object cut from it is freed (by any thread) and its thread has moved on
// to another slab. Freed room is not reused before that, so an object that lives long keeps
// its whole slab: meant for objects that are made and freed in bulk. Objects larger than a
// cache line come from slabs of their own and each starts a cache line.
class TSlabAllocator {
public:
    static constexpr std::size_t SlabBytes = std::size_t(64) << 10;
    // Larger objects come from the ordinary heap.
    static constexpr std::size_t LargestObject = 1024;

    // Room for size bytes, aligned for any object; raises std::bad_alloc.
    static void* Allocate(std::size_t size);
    // Frees what Allocate gave; safe from any thread.
    static void Free(void* object, std::size_t size) noexcept;
    // Slabs in use now, for tests.
    static std::size_t SlabsInUse();
};
