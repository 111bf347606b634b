#include "app/exitRequest.hpp"
#include "app/random.hpp"
#include "app/worldSelection.hpp"

#include <ctime>
#include <gtest/gtest.h>

namespace {
const std::string seedPrompt = "Enter the world seed (leave blank for random): ";
const std::string namePrompt = "Please enter the world name (leave blank for name based on seed): ";
const std::string seedError =
    "Error: bad lexical cast: source type value could not be interpreted as target\n"
    "Seed must be an integer, try again.\n";
const std::string stopped = "\nEnd of input: stopping without building a world.\n";

/// What a prompt returns for `input` (and `preset`, answered first), what it wrote, or -1 when it stopped.
template <class Answer>
std::pair<Answer, std::string> ask(Answer (*prompt)(std::istream&, std::ostream&,
                                                    std::optional<std::string>&),
                                   const std::string& input, std::optional<std::string> preset = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    try {
        const Answer answer = prompt(in, out, preset);
        EXPECT_FALSE(preset.has_value()) << "a preset answers once";
        return {answer, out.str()};
    } catch (const exitRequest& request) {
        EXPECT_EQ(request.exitCode(), 0);
        return {Answer(), "stopped: " + out.str()};
    }
}
} // namespace

TEST(Prompts, SeedsAreSignedWholeNumbersAndAnythingElseIsAskedAgain) {
    for (const auto& [typed, value] :
         {std::pair{"+17", 17}, std::pair{"-2147483648", -2147483647 - 1}, std::pair{"42", 42}}) {
        EXPECT_EQ(ask(askSeed, typed + std::string("\n")), std::make_pair(value, seedPrompt)) << typed;
    }
    EXPECT_EQ(randomRange(0, 32767), 19081) << "seeded with 42: the reference generator's first draw";
    for (const std::string bad : {" 17", "1.5", "abc", "2147483648", "0x10", "+"}) {
        EXPECT_EQ(ask(askSeed, bad + "\n8\n"), std::make_pair(8, seedPrompt + seedError + seedPrompt)) << bad;
    }
    EXPECT_EQ(ask(askSeed, "abc\n").second, "stopped: " + seedPrompt + seedError + seedPrompt + stopped);
    const int before = static_cast<int>(std::time(nullptr));
    const int clockSeed = ask(askSeed, "\n").first;
    EXPECT_TRUE(clockSeed >= before && clockSeed <= static_cast<int>(std::time(nullptr)))
        << "an empty line: the clock";
}

TEST(Prompts, AWorldNameIsOnePlainFolderNameOfAtMostAHundredBytes) {
    for (const std::string& good :
         std::vector<std::string>{"", "My World", "...", "ünïcode", std::string(100, 'w')}) {
        EXPECT_EQ(worldNameProblem(good), "") << good;
    }
    for (const std::string& bad :
         std::vector<std::string>{".", "..", "a/b", "..\\x", "tab\tname", std::string("nul\0x", 5)}) {
        EXPECT_NE(worldNameProblem(bad), "") << bad;
    }
    EXPECT_EQ(worldNameProblem(std::string(101, 'w')),
              "A world name can be at most 100 bytes long; this one has 101 (a letter outside plain ASCII "
              "takes 2 to 4).");
    EXPECT_EQ(ask(askWorldName, "   \n", "a/b").second,
              namePrompt + "a/b\n" + worldNameProblem("a/b") + " Please choose another name.\n" + namePrompt);
}
