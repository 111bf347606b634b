#include "world/workerPool.hpp"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

/// Joins every started thread, also when starting a later one throws.
class threadSet {
  public:
    ~threadSet() {
        for (std::thread& thread : threads) {
            thread.join();
        }
    }
    template <class Body> void start(Body body) { threads.emplace_back(std::move(body)); }

  private:
    std::vector<std::thread> threads;
};

} // namespace

void runJobs(int jobCount, unsigned workers, const std::function<jobRunner()>& makeRunner) {
    if (jobCount <= 0) {
        return;
    }
    if (workers == 0) {
        workers = std::max(1u, std::thread::hardware_concurrency());
    }
    workers = std::min(workers, static_cast<unsigned>(jobCount));

    std::atomic<int> nextJob{0};
    std::atomic<bool> failed{false};
    std::exception_ptr firstFailure;
    std::mutex failureLock;

    auto work = [&]() {
        try {
            const jobRunner run = makeRunner();
            for (int job = nextJob++; job < jobCount && !failed; job = nextJob++) {
                run(job);
            }
        } catch (...) {
            const std::lock_guard<std::mutex> guard(failureLock);
            if (!firstFailure) {
                firstFailure = std::current_exception();
            }
            failed = true;
        }
    };
    {
        threadSet pool;
        for (unsigned i = 0; i < workers; ++i) {
            pool.start(work);
        }
    }
    if (firstFailure) {
        std::rethrow_exception(firstFailure);
    }
}
