#include "app/exitRequest.hpp"
#include "app/random.hpp"
#include "app/worldSelection.hpp"

#include <gtest/gtest.h>
#include <sstream>

namespace {
const std::string seedPrompt = "Enter the world seed (leave blank for random): ";
const std::string namePrompt = "Please enter the world name (leave blank for name based on seed): ";
const std::string seedError =
    "Error: bad lexical cast: source type value could not be interpreted as target\n"
    "Seed must be an integer, try again.\n";

struct asked {
    int seed;
    std::string output;
};

asked askSeedWith(const std::string& input) {
    std::istringstream in(input);
    std::ostringstream out;
    std::optional<std::string> preset;
    const int value = askSeed(in, out, preset);
    return {value, out.str()};
}
} // namespace

TEST(SeedPrompt, SignedWholeNumbersAreAcceptedAndAnythingElseIsAskedAgain) {
    for (const auto& [typed, value] :
         {std::pair{"+17", 17}, std::pair{"-17", -17}, std::pair{"-2147483648", -2147483647 - 1},
          std::pair{"2147483647", 2147483647}, std::pair{"42", 42}}) {
        const asked accepted = askSeedWith(typed + std::string("\n"));
        EXPECT_EQ(accepted.seed, value) << typed;
        EXPECT_EQ(accepted.output, seedPrompt) << typed;
    }
    const int drawn = randomRange(0, 32767);
    seed(42u);
    EXPECT_EQ(randomRange(0, 32767), drawn) << "the random source is seeded with the typed seed";

    for (const std::string bad :
         {" 17", "17 ", "1.5", "abc", "2147483648", "-2147483649", "1e3", "0x10", "+"}) {
        const asked refused = askSeedWith(bad + "\n8\n");
        EXPECT_EQ(refused.seed, 8) << bad;
        EXPECT_EQ(refused.output, seedPrompt + seedError + seedPrompt) << bad;
    }
}

TEST(SeedPrompt, EmptyLineSeedsFromTheClockAndAPresetIsUsedOnceAsIfTyped) {
    const int before = static_cast<int>(std::time(nullptr));
    const asked blank = askSeedWith("\n");
    const int after = static_cast<int>(std::time(nullptr));
    EXPECT_GE(blank.seed, before);
    EXPECT_LE(blank.seed, after);
    EXPECT_EQ(blank.output, seedPrompt);

    std::optional<std::string> preset = std::string("abc");
    std::istringstream in("9\n");
    std::ostringstream out;
    EXPECT_EQ(askSeed(in, out, preset), 9);
    EXPECT_EQ(out.str(), seedPrompt + "abc\n" + seedError + seedPrompt);
    EXPECT_FALSE(preset.has_value());
}

TEST(WorldName, PlainNamesAreAcceptedAndPathsRefused) {
    for (const std::string good : {"", "w1", "world-42", "My World", "a.b", "...", "ünïcode"}) {
        EXPECT_EQ(worldNameProblem(good), "") << good;
    }
    const std::vector<std::string> refused = {".",        "..",     "a/b",       "/etc",
                                              "..\\x",    "a\\b",   "tab\tname", std::string("nul\0x", 5),
                                              "bell\x07", "del\x7f"};
    for (const std::string& bad : refused) {
        EXPECT_NE(worldNameProblem(bad), "") << bad;
    }
}

TEST(WorldName, NamesAreAtMostAHundredBytesAndOnlySpacesMeanBlank) {
    EXPECT_EQ(worldNameProblem(std::string(100, 'w')), "");
    EXPECT_EQ(
        worldNameProblem(std::string(101, 'w')),
        "A world name can be at most 100 bytes long; this one has 101 (a letter outside plain ASCII takes "
        "2 to 4).");
    std::optional<std::string> preset = std::string(300, 'n');
    std::istringstream in("   \n");
    std::ostringstream out;
    EXPECT_EQ(askWorldName(in, out, preset), "");
    EXPECT_EQ(out.str(), namePrompt + std::string(300, 'n') + "\n" + worldNameProblem(std::string(300, 'n')) +
                             " Please choose another name.\n" + namePrompt);
}

TEST(Prompts, EndOfInputStopsWithoutAWorld) {
    const std::string stopped = "\nEnd of input: stopping without building a world.\n";
    for (const std::string& input : {std::string(""), std::string("a/b\n")}) {
        std::optional<std::string> preset;
        std::istringstream in(input);
        std::ostringstream out;
        try {
            static_cast<void>(askWorldName(in, out, preset));
            ADD_FAILURE() << "a name was returned";
        } catch (const exitRequest& request) {
            EXPECT_EQ(request.exitCode(), 0);
        }
        EXPECT_EQ(out.str().substr(out.str().size() - namePrompt.size() - stopped.size()),
                  namePrompt + stopped);
    }
    std::istringstream in("abc\n");
    std::ostringstream out;
    std::optional<std::string> preset;
    EXPECT_THROW(static_cast<void>(askSeed(in, out, preset)), exitRequest);
    EXPECT_EQ(out.str(), seedPrompt + seedError + seedPrompt + stopped);
}
