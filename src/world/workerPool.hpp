#pragma once

#include <functional>

/// What one worker thread runs for each job it takes.
using jobRunner = std::function<void(int job)>;

/// Runs jobs 0 … jobCount − 1 on up to `workers` threads (0: one per hardware thread), in ascending
/// order of taking, and returns when every thread has been joined. Each thread first calls `makeRunner`
/// on itself, so a runner may keep its own workspace from job to job. After a job throws, no further
/// job is started and the first exception is rethrown here.
void runJobs(int jobCount, unsigned workers, const std::function<jobRunner()>& makeRunner);
