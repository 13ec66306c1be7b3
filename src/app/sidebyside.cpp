#include "sidebyside.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {
std::atomic<std::size_t> ThreadsSet{0};
// True on a thread while it takes part in work spread over several threads.
thread_local bool SharingCores = false;
} // namespace

std::size_t SideBySideThreads() {
    const std::size_t set = ThreadsSet.load();
    return set != 0 ? set : std::max<std::size_t>(1, std::thread::hardware_concurrency());
}

void SetSideBySideThreads(std::size_t threads) {
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

void RunSideBySide(std::size_t count, const std::function<void(std::size_t)>& work) {
    TSharedWork shared(count, work);
    const std::size_t threads = SharingCores ? 1 : std::min(SideBySideThreads(), count);
    const std::size_t helpers = count > 0 ? threads - 1 : 0;
    std::vector<std::jthread> helperThreads;
    helperThreads.reserve(helpers);
    for (std::size_t i = 0; i < helpers; ++i)
        helperThreads.emplace_back([&shared] { shared.TakeTurns(true); });
    shared.TakeTurns(helpers > 0);
    helperThreads.clear(); // joins
    shared.RaiseFirstError();
}
