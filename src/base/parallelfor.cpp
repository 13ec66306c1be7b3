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
// True on a thread while it takes part in work spread over several threads.
thread_local bool SharingCores = false;
} // namespace

std::size_t ParallelThreads() {
    const std::size_t set = ThreadsSet.load();
    return set != 0 ? set : std::max<std::size_t>(1, std::thread::hardware_concurrency());
}

void SetParallelThreads(std::size_t threads) {
    ThreadsSet = threads;
}

namespace {
class TSharedWork {
public:
    TSharedWork(std::size_t count, const std::function<void(std::size_t)>& work)
        : FCount(count), FWork(work) {}

    // sharing: other threads take turns too.
    void TakeTurns(bool sharing) {
        const bool wasSharing = SharingCores;
        SharingCores = wasSharing || sharing;
        for (std::size_t index = FNext++; index < FCount; index = FNext++) {
            try {
                FWork(index);
            } catch (...) {
                const std::lock_guard<std::mutex> guard(FErrorLock);
                if (!FError)
                    FError = std::current_exception();
            }
        }
        SharingCores = wasSharing;
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
// Helper threads kept for the life of the process. What a thread keeps of its own (the
// names and billing texts it decoded lately, the slabs it allocates from) then serves every
// later call, where a thread started for one call began with nothing each time and read the
// same files markedly slower than the calling thread. One call at a time uses them; a call
// made while they are busy (from another thread) starts threads of its own.
class THelperThreads {
public:
    static THelperThreads& Instance() {
        // Never destroyed: the threads wait for work until the process ends.
        static auto* helpers = new THelperThreads;
        return *helpers;
    }

    // Has count kept threads take turns at work; false, with nothing started, when the kept
    // threads are busy or no more can be started.
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

    // Returns once the threads started by TryStart have no turn left.
    void Wait() {
        std::unique_lock<std::mutex> lock(FLock);
        FDone.wait(lock, [this] { return FRunning == 0; });
        FWork = nullptr;
    }

private:
    THelperThreads() = default;

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
            work.TakeTurns(true);
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
    const std::size_t threads = SharingCores ? 1 : std::min(ParallelThreads(), count);
    const std::size_t helpers = count > 0 ? threads - 1 : 0;
    if (helpers > 0 && THelperThreads::Instance().TryStart(shared, helpers)) {
        shared.TakeTurns(true);
        THelperThreads::Instance().Wait();
        shared.RaiseFirstError();
        return;
    }
    std::vector<std::jthread> helperThreads;
    helperThreads.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i)
        helperThreads.emplace_back([&shared] { shared.TakeTurns(true); });
    shared.TakeTurns(helpers > 0);
    helperThreads.clear(); // joins
    shared.RaiseFirstError();
}
