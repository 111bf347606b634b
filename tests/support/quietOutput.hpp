#pragma once

#include <gtest/gtest.h>
#include <iostream>
#include <string>

/// Keeps the program's trace lines out of a test's output. Google Test writes its failure messages to
/// standard output too: if the test has failed by scope end, everything captured is written back.
class quietOutput {
  public:
    quietOutput() { testing::internal::CaptureStdout(); }
    ~quietOutput() {
        if (!taken) {
            const std::string captured = testing::internal::GetCapturedStdout();
            if (testing::Test::HasFailure()) {
                std::cout << captured;
            }
        }
    }
    quietOutput(const quietOutput&) = delete;
    quietOutput& operator=(const quietOutput&) = delete;

    /// Ends the capture and returns what was written, which goes back to the output too if the test has
    /// failed.
    std::string take() {
        taken = true;
        const std::string captured = testing::internal::GetCapturedStdout();
        std::cout << (testing::Test::HasFailure() ? captured : "");
        return captured;
    }

  private:
    bool taken = false;
};
