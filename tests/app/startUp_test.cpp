// Runs the built program in an empty directory with piped input, as a user would from a terminal.
#include "support/testFiles.hpp"

#include <boost/filesystem.hpp>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {
struct runResult {
    int exitCode;
    std::string out;
    std::string err;
};

runResult runProgram(const temporaryDirectory& directory, const std::string& input, const std::string& arguments = "") {
    writeTextFile(directory.file("input.txt"), input);
    const std::string command = "cd '" + directory.path() + "' && '" + KESTROVA_BINARY + "' " + arguments +
                                " < input.txt > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readTextFile(directory.file("out.txt")),
            readTextFile(directory.file("err.txt"))};
}

/// Checks that every piece appears in `text`, in order.
::testing::AssertionResult appearsInOrder(const std::string& text, const std::vector<std::string>& pieces) {
    std::size_t at = 0;
    for (const auto& piece : pieces) {
        const std::size_t found = text.find(piece, at);
        if (found == std::string::npos) {
            return ::testing::AssertionFailure() << "missing, or out of order: \"" << piece << "\" in:\n" << text;
        }
        at = found + piece.size();
    }
    return ::testing::AssertionSuccess();
}

const std::string namePrompt = "Please enter the world name (leave blank for name based on seed): ";
const std::string seedPrompt = "Enter the world seed (leave blank for random): ";
} // namespace

TEST(StartUp, FirstStartInAnEmptyDirectory) {
    temporaryDirectory directory;
    const runResult run = runProgram(directory, "\nabc\n-42\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(appearsInOrder(run.out, {"Config file does not exist.\n", "Generated default config file.\n",
                                         "Creating mapGridTerrain[3600][1300]\n",
                                         "mapGridTerrain initialization done!\n", namePrompt, seedPrompt,
                                         "Error: bad lexical cast", seedPrompt, "Generating world with seed: -42\n",
                                         "Closing. Press any key to close this window.\n"}));
    EXPECT_TRUE(boost::filesystem::is_directory(directory.file("worlds/world-42/images")));
    EXPECT_TRUE(boost::filesystem::exists(directory.file("config.xml")));
}

TEST(StartUp, OptionsAnswerTheFirstPrompts) {
    temporaryDirectory directory;
    const runResult run = runProgram(directory, "", "--world w1 --seed 11899");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(appearsInOrder(run.out, {namePrompt + "w1\n", seedPrompt + "11899\n",
                                         "Generating world with seed: 11899\n"}));
    EXPECT_TRUE(boost::filesystem::is_directory(directory.file("worlds/w1/images")));
}

TEST(StartUp, UnsafeWorldNameIsAskedAgain) {
    temporaryDirectory directory;
    const runResult run = runProgram(directory, "safe\n", "--world ../outside --seed 3");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(appearsInOrder(run.out, {namePrompt + "../outside\n", "Please choose another name.", namePrompt,
                                         "Generating world with seed: 3\n"}));
    EXPECT_FALSE(boost::filesystem::exists(directory.file("outside")));
    EXPECT_TRUE(boost::filesystem::is_directory(directory.file("worlds/safe/images")));
}

TEST(StartUp, FixedSeedInTheSettingsSkipsTheSeedPrompt) {
    temporaryDirectory directory;
    ASSERT_EQ(runProgram(directory, "", "--world a --seed 1").exitCode, 0);
    std::string config = readTextFile(directory.file("config.xml"));
    config.replace(config.find("RANDOM"), 6, "42");
    writeTextFile(directory.file("config.xml"), config);

    const runResult run = runProgram(directory, "\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.find(seedPrompt), std::string::npos) << run.out;
    EXPECT_TRUE(appearsInOrder(run.out, {"Loaded config file.\n", "Set global variables from config file.\n",
                                         namePrompt, "Generating world with seed: 42\n"}));
    EXPECT_TRUE(boost::filesystem::is_directory(directory.file("worlds/world42")));
}

TEST(StartUp, BrokenSettingsStopWithExitCodeOne) {
    temporaryDirectory directory;
    writeTextFile(directory.file("config.xml"), "<not a config>");
    const runResult run = runProgram(directory, "");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("config.xml"), std::string::npos) << run.err;
    EXPECT_EQ(readTextFile(directory.file("config.xml")), "<not a config>");
    EXPECT_FALSE(boost::filesystem::exists(directory.file("worlds")));
}

TEST(StartUp, HelpVersionAndUnknownOptions) {
    temporaryDirectory directory;
    const runResult help = runProgram(directory, "", "--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--generate-only"), std::string::npos);
    EXPECT_EQ(runProgram(directory, "", "--version").exitCode, 0);
    const runResult unknown = runProgram(directory, "", "--frobnicate");
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_NE(unknown.err.find("--frobnicate"), std::string::npos);
    EXPECT_NE(unknown.err.find("Usage:"), std::string::npos);
    EXPECT_FALSE(boost::filesystem::exists(directory.file("config.xml")));
}
