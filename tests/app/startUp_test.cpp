// Runs the built program in an empty directory, as a user would from a terminal.
#include "support/checksum.hpp"
#include "support/smallWorld.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {
namespace fs = boost::filesystem;

struct runResult {
    int exitCode;
    std::string out, err;
};

/// Runs the program in `directory`, given the shipped assets as a user's working directory has them.
runResult runProgram(const temporaryDirectory& directory, const std::string& arguments,
                     const std::string& environment = "") {
    if (!fs::exists(directory.file("assets"))) {
        fs::create_directory_symlink(std::string(KESTROVA_SOURCE_DIR) + "/assets", directory.file("assets"));
    }
    const int status = std::system(("cd '" + directory.path() + "' && " + environment + " '" +
                                    KESTROVA_BINARY + "' " + arguments + " < /dev/null > out.txt 2> err.txt")
                                       .c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readTextFile(directory.file("out.txt")),
            readTextFile(directory.file("err.txt"))};
}

::testing::AssertionResult appearsInOrder(const std::string& text, const std::vector<std::string>& pieces) {
    std::size_t at = 0;
    for (const std::string& piece : pieces) {
        if ((at = text.find(piece, at)) == std::string::npos) {
            return ::testing::AssertionFailure() << "missing, or out of order: \"" << piece << "\" in:\n"
                                                 << text;
        }
        at += piece.size();
    }
    return ::testing::AssertionSuccess();
}

const std::string namePrompt = "Please enter the world name (leave blank for name based on seed): ";
const std::string seedPrompt = "Enter the world seed (leave blank for random): ";

} // namespace

TEST(StartUp, AWorldIsBuiltAgainFromItsRecordedSeedAndSavedGraph) {
    temporaryDirectory directory;
    writeSmallWorldConfig(directory);
    // An earlier run stopped while writing: a generation removes its temporary files, and only those.
    fs::create_directories(directory.file("worlds/w/images"));
    writeTextFile(directory.file("worlds/w/images/0_0.jpg.4fa2c1.tmp"), "");
    writeTextFile(directory.file("worlds/w/images/notes.tmp"), "mine");
    const runResult first = runProgram(directory, "--generate-only --world w --seed -7");
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(countOf(first.out, "Generated ["), 133u);
    EXPECT_EQ(std::make_tuple(fs::exists(directory.file("worlds/w/images/0_0.jpg.4fa2c1.tmp")),
                              fs::exists(directory.file("worlds/w/images/notes.tmp")),
                              readTextFile(directory.file("worlds/w/world.txt"))),
              std::make_tuple(false, true, std::string("seed -7\nworldWidth 190\nworldHeight 70\n")));
    // FNV-1a of the heights, graph.dat's last 1900 × 700 × 4 bytes: a separate script written from the world
    // and grid rules gives the same.
    const std::string graphBytes = readTextFile(directory.file("worlds/w/graph.dat"));
    EXPECT_EQ(fnv1a(graphBytes.substr(graphBytes.size() - 1900u * 700u * 4)), 0xc980bd8d6fe78b45u);
    fs::remove(directory.file("worlds/w/images/0_0.jpg"));
    const runResult again = runProgram(directory, "--generate-only --world w --seed 5");
    EXPECT_TRUE(appearsInOrder(
        again.out,
        {namePrompt + "w\n",
         "World 'w' exists: building it from its recorded seed -7 (a new name makes a new world).\n",
         "Generating world with seed: -7\n", "Serializing graph\n", "Loaded graph from archive!!\n"}));
    EXPECT_EQ(countOf(again.out, seedPrompt) + countOf(again.out, "Generated ["), 0u)
        << "no seed asked for, no grid made";
    EXPECT_FALSE(fs::exists(directory.file("worlds/w/images/0_0.jpg")));
    EXPECT_EQ(readTextFile(directory.file("worlds/w/graph.dat")), graphBytes);

    writeSmallWorldConfig(directory, "RANDOM", "80");
    const runResult resized = runProgram(directory, "--generate-only --world w");
    EXPECT_EQ(resized.exitCode, 1);
    EXPECT_NE(
        resized.err.find("World 'w' was built 190 × 70 map cells, but config.xml now asks for 190 × 80."),
        std::string::npos)
        << resized.err;
}

TEST(StartUp, ABrokenSetUpStopsWithOneLineAndChangesNothing) {
    const std::tuple<const char*, const char*, const char*, const char*> cases[] = {
        // What is broken, the environment, the options, what the one line on standard error names.
        {"config.xml", "", "--generate-only", "config.xml, line 1: expected <boost_serialization>"},
        {"assets", "", "--generate-only", "assets/factionNames.txt"},
        {"", "env -u DISPLAY", "", "No display can be reached (DISPLAY is not set)"},
        {"", "DISPLAY=:999", "", "the X display :999 does not answer"}};
    for (const auto& [broken, environment, options, named] : cases) {
        temporaryDirectory directory;
        writeSmallWorldConfig(directory);
        if (*broken != '\0') {
            fs::remove(directory.file(broken));
            std::string(broken) == "assets" ? (void)fs::create_directory(directory.file(broken))
                                            : writeTextFile(directory.file(broken), "<no>");
        }
        const runResult run =
            runProgram(directory, std::string(options) + " --world w --seed 5", environment);
        EXPECT_EQ(
            std::make_tuple(run.exitCode, countOf(run.err, "\n"), run.err.find(named) != std::string::npos),
            std::make_tuple(1, std::size_t{1}, true))
            << run.err;
        EXPECT_TRUE(*broken == '\0' || std::string(broken) == "assets" ||
                    readTextFile(directory.file(broken)) == "<no>");
        EXPECT_FALSE(fs::exists(directory.file("worlds/w/graph.dat"))) << "no world made";
    }
    temporaryDirectory directory;
    writeSmallWorldConfig(directory);
    const runResult unknown = runProgram(directory, "--frobnicate");
    EXPECT_EQ(std::make_pair(unknown.exitCode,
                             unknown.err.rfind("kestrova: unknown option '--frobnicate'\n\nUsage:", 0)),
              std::make_pair(2, std::size_t{0}));
}
