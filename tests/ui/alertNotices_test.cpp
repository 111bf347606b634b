#include "app/consoleLog.hpp"
#include "ui/alertNotices.hpp"

#include <gtest/gtest.h>

TEST(AlertNotices, TheConsolesAlertLinesShowForSixSecondsTheNewestThreeFirst) {
    consoleLog log;
    alertNotices notices;
    float now = 0.0f;
    log.onAlert = [&](const std::string& line) { notices.add(line, now); };
    for (const auto& [at, line] : {std::pair{0.0f, "a"}, {1.0f, "b"}, {2.0f, "c"}, {3.0f, "d"}}) {
        now = at;
        log.appendLog(line, logTone::alert);
    }
    log.appendLog("news, no alert");
    // A fourth pushes the oldest out; b, added at 1 s, goes at 7 s.
    const std::pair<float, std::vector<std::string>> seen[] = {
        {3.0f, {"d", "c", "b"}}, {6.9f, {"d", "c", "b"}}, {7.0f, {"d", "c"}}, {8.99f, {"d"}}, {9.0f, {}}};
    for (const auto& [at, texts] : seen) {
        EXPECT_EQ(notices.shown(at), texts) << "at " << at << " s";
    }
}
