#pragma once

#include <cstddef>
#include <functional>

// Runs work(0) ... work(count - 1) in parallel on the processor's cores: the calling thread
// and up to one thread per further core (from a thread pool) each take the next index until
// none is left. Returns when every call has returned. An exception thrown by a call is raised
// again here after the others have finished (the first one caught when there are several);
// callers that need a particular one catch inside work. With one core or one index everything
// runs on the calling thread, and so does a nested call made from within work that already
// runs in parallel: the cores are taken already.
void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& work);

// How many threads ParallelFor uses at most: the number of cores (at least 1) unless set.
std::size_t ParallelThreads();
// Sets that number (0: the number of cores again), for measuring and testing.
void SetParallelThreads(std::size_t threads);
