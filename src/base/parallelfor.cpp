#include "parallelfor.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {
std::atomic<std::size_t> ThreadsSet{0};
// True on a thread while it runs indexes of a loop that several threads share.
thread_local bool InParallelFor = false;
} // namespace

std::size_t ParallelThreads() {
    const std::size_t set = ThreadsSet.load();
    return set != 0 ? set : std::max<std::size_t>(1, std::thread::hardware_concurrency());
}

void SetParallelThreads(std::size_t threads) {
    ThreadsSet = threads;
}

namespace {
// What the threads of one ParallelFor call share: the next index and the first error.
class TSharedWork {
public:
    TSharedWork(std::size_t count, const std::function<void(std::size_t)>& work)
        : FCount(count), FWork(work) {}

    // Runs the next index until none is left; parallel: other threads run this loop too.
    void Run(bool parallel) {
        const bool wasParallel = InParallelFor;
        InParallelFor = wasParallel || parallel;
        for (std::size_t index = FNext++; index < FCount; index = FNext++) {
            try {
                FWork(index);
            } catch (...) {
                const std::lock_guard<std::mutex> guard(FErrorLock);
                if (!FError)
                    FError = std::current_exception();
            }
        }
        InParallelFor = wasParallel;
    }

    void RaiseFirstError() const {
        if (FError)
            std::rethrow_exception(FError);
    }

private:
    const std::size_t FCount;
    const std::function<void(std::size_t)>& FWork;
    std::atomic<std::size_t> FNext{0};
    std::mutex FErrorLock;
    std::exception_ptr FError;
};
} // namespace

namespace {
// A thread pool kept for the life of the process, so that what a thread keeps of its own (the
// slabs it allocates from, slaballocator.cpp) serves every later call. One call at a time uses
// it; a call made while it is busy (from another thread) starts threads of its own.
class TThreadPool {
public:
    static TThreadPool& Instance() {
        // Never destroyed: the threads wait for work until the process ends.
        static auto* pool = new TThreadPool;
        return *pool;
    }

    // Has count pool threads run work; false, with nothing started, when the pool is busy or
    // no more threads can be started.
    bool TryStart(TSharedWork& work, std::size_t count) {
        const std::lock_guard<std::mutex> guard(FLock);
        if (FWork)
            return false;
        try {
            while (FThreads.size() < count)
                FThreads.emplace_back([this, index = FThreads.size()] { Serve(index); });
        } catch (const std::system_error&) {
            return false;
        }
        FWork = &work;
        FWanted = count;
        FRunning = count;
        ++FRound;
        FWake.notify_all();
        return true;
    }

    // Returns once the pool threads started by TryStart have no index left to run.
    void Wait() {
        std::unique_lock<std::mutex> lock(FLock);
        FDone.wait(lock, [this] { return FRunning == 0; });
        FWork = nullptr;
    }

private:
    TThreadPool() = default;

    void Serve(std::size_t index) {
        std::uint64_t served = 0;
        std::unique_lock<std::mutex> lock(FLock);
        for (;;) {
            FWake.wait(lock, [&] { return FRound != served && FWork; });
            served = FRound;
            if (index >= FWanted)
                continue;
            TSharedWork& work = *FWork;
            lock.unlock();
            work.Run(true);
            lock.lock();
            if (--FRunning == 0)
                FDone.notify_all();
        }
    }

    std::mutex FLock;
    std::condition_variable FWake;
    std::condition_variable FDone;
    std::vector<std::thread> FThreads;
    TSharedWork* FWork = nullptr;
    std::size_t FWanted = 0;
    std::size_t FRunning = 0;
    std::uint64_t FRound = 0;
};
} // namespace

void ParallelFor(std::size_t count, const std::function<void(std::size_t)>& work) {
    TSharedWork shared(count, work);
    const std::size_t threads = InParallelFor ? 1 : std::min(ParallelThreads(), count);
    const std::size_t helpers = count > 0 ? threads - 1 : 0;
    if (helpers > 0 && TThreadPool::Instance().TryStart(shared, helpers)) {
        shared.Run(true);
        TThreadPool::Instance().Wait();
        shared.RaiseFirstError();
        return;
    }
    std::vector<std::jthread> helperThreads;
    helperThreads.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i)
        helperThreads.emplace_back([&shared] { shared.Run(true); });
    shared.Run(helpers > 0);
    helperThreads.clear(); // joins
    shared.RaiseFirstError();
}
