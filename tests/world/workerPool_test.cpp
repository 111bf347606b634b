#include "world/workerPool.hpp"

#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

TEST(ThreadedWorkerPool, EveryJobRunsOnceAndAFailureStopsTheRest) {
    {
        SCOPED_TRACE("1000 jobs on 4 workers, each worker with its own runner");
        std::vector<std::atomic<int>> runs(1000);
        std::atomic<int> runners{0};
        std::mutex lock;
        std::set<std::thread::id>
            threads; // ids of finished threads may be reused: only the caller's is checked
        runJobs(1000, 4, [&]() -> jobRunner {
            ++runners;
            {
                const std::lock_guard<std::mutex> guard(lock);
                threads.insert(std::this_thread::get_id());
            }
            auto jobsOfThisRunner = std::make_shared<int>(0);
            return [&, jobsOfThisRunner](int job) {
                ++*jobsOfThisRunner;
                ++runs[static_cast<std::size_t>(job)];
            };
        });
        for (std::size_t job = 0; job < runs.size(); ++job) {
            ASSERT_EQ(runs[job], 1) << "job " << job;
        }
        EXPECT_EQ(runners, 4);
        EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
    }
    {
        SCOPED_TRACE("no more workers than jobs; none for no job");
        std::atomic<int> runners{0};
        runJobs(2, 8, [&]() -> jobRunner {
            ++runners;
            return [](int) {};
        });
        EXPECT_EQ(runners, 2);
        runJobs(0, 8, [&]() -> jobRunner {
            ++runners;
            return [](int) {};
        });
        EXPECT_EQ(runners, 2);
    }
    {
        SCOPED_TRACE("a throwing job: the first exception comes back and later jobs are not started");
        std::atomic<int> started{0};
        EXPECT_THROW(runJobs(10000, 2,
                             [&]() -> jobRunner {
                                 return [&](int job) {
                                     ++started;
                                     if (job == 10) {
                                         throw std::runtime_error("job 10");
                                     }
                                     // Slow enough that the other worker cannot run every job while
                                     // the exception unwinds; without the stop they would take a second.
                                     std::this_thread::sleep_for(std::chrono::microseconds(100));
                                 };
                             }),
                     std::runtime_error);
        EXPECT_LT(started, 10000);
    }
}
