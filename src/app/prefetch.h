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
