#pragma once

// Asks the processor to bring the memory at address into its cache, where that can be asked:
// code that walks data far larger than the caches asks for what it needs next while it works
// on what it has. A hint only; it never faults, not even for nullptr.
inline void PrefetchMemory(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    static_cast<void>(address);
#endif
}

// The same for memory read once and then not again soon: where the processor can, it keeps
// the lines out of the larger caches, so that they do not push out data in use.
inline void PrefetchMemoryOnce(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address, 0, 0);
#else
    static_cast<void>(address);
#endif
}
