// Runs the built program in an empty directory with piped input, as a user would from a terminal.
#include "support/checksum.hpp"
#include "support/smallWorldConfig.hpp"
#include "support/testFiles.hpp"

#include <boost/filesystem.hpp>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {
struct runResult {
    int exitCode;
    std::string out;
    std::string err;
};

/// Runs the program in `directory`, which is given the shipped assets as a user's working directory has
/// them; without a window unless `arguments` say otherwise. `environment` precedes the command (variable
/// assignments or an env call).
runResult runProgram(const temporaryDirectory& directory, const std::string& input,
                     const std::string& arguments = "--generate-only", const std::string& environment = "") {
    if (!boost::filesystem::exists(directory.file("assets"))) {
        boost::filesystem::create_directory_symlink(std::string(KESTROVA_SOURCE_DIR) + "/assets",
                                                    directory.file("assets"));
    }
    writeTextFile(directory.file("input.txt"), input);
    const std::string command = "cd '" + directory.path() + "' && " + environment + " '" + KESTROVA_BINARY +
                                "' " + arguments + " < input.txt > out.txt 2> err.txt";
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
            return ::testing::AssertionFailure() << "missing, or out of order: \"" << piece << "\" in:\n"
                                                 << text;
        }
        at = found + piece.size();
    }
    return ::testing::AssertionSuccess();
}

const std::string namePrompt = "Please enter the world name (leave blank for name based on seed): ";
const std::string seedPrompt = "Enter the world seed (leave blank for random): ";

/// FNV-1a of graph.dat's heights: the file's last width × height × 4 bytes, after the archive's header.
std::uint64_t graphPayloadChecksum(const std::string& path, std::size_t nodes) {
    const std::string bytes = readTextFile(path);
    return bytes.size() < nodes * 4 ? 0 : fnv1a(bytes.substr(bytes.size() - nodes * 4));
}
} // namespace

TEST(StartUp, FirstStartInAnEmptyDirectory) {
    temporaryDirectory directory;
    const runResult run = runProgram(directory, "\nabc\n11899\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(appearsInOrder(
        run.out,
        {"Config file does not exist.\n", "Generated default config file.\n",
         "Creating mapGridTerrain[3600][1300]\n", "mapGridTerrain initialization done!\n", namePrompt,
         seedPrompt, "Error: bad lexical cast", seedPrompt, "Generating world with seed: 11899\n",
         "Copying data from the left column to the right column.", "Done generating world map!\n",
         "Generated human faction!\n", "Done generating factions!\n", "Generated [", "Serializing graph\n",
         "Closing. Press any key to close this window.\n"}));
    EXPECT_EQ(countOf(run.out, "Generated human faction!"), 1u);
    EXPECT_EQ(countOf(run.out, "Generated ["), 468u);
    EXPECT_EQ(countOf(run.out, "Percent loaded: "), 468u);
    EXPECT_TRUE(boost::filesystem::exists(directory.file("worlds/world11899/images/35_12.jpg")));
    EXPECT_TRUE(boost::filesystem::exists(directory.file("config.xml")));
    // FNV-1a of graph.dat's heights, from this build; a separate script written from the world and grid
    // rules gives the same.
    EXPECT_EQ(graphPayloadChecksum(directory.file("worlds/world11899/graph.dat"), 3600u * 1300u),
              0x54f129629afabd08u);
}

TEST(StartUp, OptionsAnswerThePromptsAndAnUnsafeWorldNameIsAskedAgain) {
    temporaryDirectory directory;
    writeSmallWorldConfig(directory);
    const runResult run = runProgram(directory, "safe\n", "--generate-only --world ../outside --seed 3");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(appearsInOrder(run.out, {namePrompt + "../outside\n", "Please choose another name.",
                                         namePrompt, seedPrompt + "3\n", "Generating world with seed: 3\n"}));
    EXPECT_FALSE(boost::filesystem::exists(directory.file("outside")));
    EXPECT_TRUE(boost::filesystem::is_directory(directory.file("worlds/safe/images")));
}

TEST(StartUp, FixedSeedInTheSettingsSkipsTheSeedPrompt) {
    temporaryDirectory directory;
    writeSmallWorldConfig(directory, "42");
    const runResult run = runProgram(directory, "\n");
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.find(seedPrompt), std::string::npos) << run.out;
    EXPECT_TRUE(appearsInOrder(run.out, {"Loaded config file.\n", "Set global variables from config file.\n",
                                         namePrompt, "Generating world with seed: 42\n"}));
    EXPECT_TRUE(boost::filesystem::is_directory(directory.file("worlds/world42")));
}

TEST(StartUp, AWorldIsBuiltAgainFromItsRecordedSeedAndLoadsItsGraph) {
    temporaryDirectory directory;
    writeSmallWorldConfig(directory);
    // An earlier run stopped while writing: a generation removes its temporary files, and only those.
    boost::filesystem::create_directories(directory.file("worlds/w/images"));
    writeTextFile(directory.file("worlds/w/images/0_0.jpg.4fa2c1.tmp"), "");
    writeTextFile(directory.file("worlds/w/images/notes.tmp"), "mine");

    const runResult first = runProgram(directory, "", "--generate-only --world w --seed -7");
    ASSERT_EQ(first.exitCode, 0) << first.err;
    EXPECT_EQ(countOf(first.out, "Generated ["), 133u);
    EXPECT_FALSE(boost::filesystem::exists(directory.file("worlds/w/images/0_0.jpg.4fa2c1.tmp")));
    EXPECT_TRUE(boost::filesystem::exists(directory.file("worlds/w/images/notes.tmp")));
    const std::string record = readTextFile(directory.file("worlds/w/world.txt"));
    EXPECT_EQ(record, "seed -7\nworldWidth 190\nworldHeight 70\n");
    const std::string graphBytes = readTextFile(directory.file("worlds/w/graph.dat"));
    // FNV-1a of graph.dat's heights, from this build; a separate script written from the world and grid
    // rules gives the same.
    EXPECT_EQ(graphPayloadChecksum(directory.file("worlds/w/graph.dat"), 1900u * 700u), 0xc980bd8d6fe78b45u);
    boost::filesystem::remove(directory.file("worlds/w/images/0_0.jpg"));

    {
        SCOPED_TRACE("the same name again: the recorded seed, the saved graph, no pictures made");
        const runResult second = runProgram(directory, "", "--generate-only --world w --seed 5");
        EXPECT_EQ(second.exitCode, 0) << second.err;
        EXPECT_TRUE(appearsInOrder(
            second.out,
            {namePrompt + "w\n",
             "World 'w' exists: building it from its recorded seed -7 (a new name makes a new world).\n",
             "Generating world with seed: -7\n", "Done generating world map!\n", "Serializing graph\n",
             "Loaded graph from archive!!\n"}));
        EXPECT_EQ(second.out.find(seedPrompt), std::string::npos);
        EXPECT_EQ(countOf(second.out, "Generated ["), 0u);
        EXPECT_FALSE(boost::filesystem::exists(directory.file("worlds/w/images/0_0.jpg")));
        EXPECT_EQ(readTextFile(directory.file("worlds/w/graph.dat")), graphBytes);
    }
    {
        SCOPED_TRACE("another size is refused and nothing changes");
        writeSmallWorldConfig(directory, "RANDOM", "80");
        const runResult resized = runProgram(directory, "", "--generate-only --world w");
        EXPECT_EQ(resized.exitCode, 1);
        EXPECT_NE(
            resized.err.find("World 'w' was built 190 × 70 map cells, but config.xml now asks for 190 × 80."),
            std::string::npos)
            << resized.err;
        EXPECT_EQ(resized.out.find("Generating world"), std::string::npos);
        EXPECT_EQ(readTextFile(directory.file("worlds/w/graph.dat")), graphBytes);
        EXPECT_EQ(readTextFile(directory.file("worlds/w/world.txt")), record);
        writeSmallWorldConfig(directory);
    }
    {
        SCOPED_TRACE("a world made before the record existed loads as before");
        boost::filesystem::remove(directory.file("worlds/w/world.txt"));
        const runResult old = runProgram(directory, "", "--generate-only --world w --seed 5");
        EXPECT_EQ(old.exitCode, 0) << old.err;
        EXPECT_TRUE(appearsInOrder(old.out, {seedPrompt + "5\n", "Generating world with seed: 5\n",
                                             "Loaded graph from archive!!\n"}));
        EXPECT_FALSE(boost::filesystem::exists(directory.file("worlds/w/world.txt")));
    }
    {
        SCOPED_TRACE("a damaged graph stops the start");
        writeTextFile(directory.file("worlds/w/graph.dat"), graphBytes.substr(0, graphBytes.size() / 2));
        const runResult damaged = runProgram(directory, "", "--generate-only --world w --seed -7");
        EXPECT_EQ(damaged.exitCode, 1);
        EXPECT_TRUE(appearsInOrder(
            damaged.out, {"Done generating world map!\n", "FAILED to Load graph from archive!!\n"}));
        EXPECT_NE(damaged.err.find("worlds/w/graph.dat"), std::string::npos) << damaged.err;
        EXPECT_EQ(readTextFile(directory.file("worlds/w/graph.dat")).size(), graphBytes.size() / 2);
    }
}

TEST(StartUp, EndOfInputAtAPromptStopsWithoutAWorld) {
    temporaryDirectory directory;
    writeSmallWorldConfig(directory);
    const std::string stopped = "\nEnd of input: stopping without building a world.\n";
    const runResult atName = runProgram(directory, "");
    EXPECT_EQ(atName.exitCode, 0) << atName.err;
    EXPECT_EQ(atName.out.substr(atName.out.size() - namePrompt.size() - stopped.size()),
              namePrompt + stopped);
    EXPECT_EQ(atName.err, "");
    const runResult atSeed = runProgram(directory, "w\n");
    EXPECT_EQ(atSeed.exitCode, 0) << atSeed.err;
    EXPECT_EQ(atSeed.out.substr(atSeed.out.size() - seedPrompt.size() - stopped.size()),
              seedPrompt + stopped);
    EXPECT_FALSE(boost::filesystem::exists(directory.file("worlds")));
}

TEST(StartUp, BrokenSetUpStopsWithExitCodeOneAndChangesNothing) {
    struct brokenSetUp {
        const char* what;
        std::function<void(const temporaryDirectory&)> breakIt;
        const char* named;    // in the error
        const char* keptFile; // unchanged, and no world made; none for a failure after the world
        const char* keptText;
    };
    const std::vector<brokenSetUp> cases = {
        {"unreadable settings",
         [](const temporaryDirectory& d) { writeTextFile(d.file("config.xml"), "<not a config>"); },
         "config.xml", "config.xml", "<not a config>"},
        {"a file where the worlds folder goes",
         [](const temporaryDirectory& d) {
             writeSmallWorldConfig(d);
             writeTextFile(d.file("worlds"), "not a folder");
         },
         "Cannot create the directory worlds", "worlds", "not a folder"},
        {"no name lists",
         [](const temporaryDirectory& d) {
             writeSmallWorldConfig(d);
             boost::filesystem::create_directory(d.file("assets"));
         },
         "assets/factionNames.txt", nullptr, nullptr},
    };
    for (const brokenSetUp& each : cases) {
        SCOPED_TRACE(each.what);
        temporaryDirectory directory;
        each.breakIt(directory);
        const runResult run = runProgram(directory, "", "--generate-only --world w --seed 5");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(each.named), std::string::npos) << run.err;
        if (each.keptFile != nullptr) {
            EXPECT_EQ(readTextFile(directory.file(each.keptFile)), each.keptText);
            EXPECT_FALSE(boost::filesystem::is_directory(directory.file("worlds")));
        }
    }
}

TEST(StartUp, WithoutADisplayOnlyGenerateOnlyRuns) {
    temporaryDirectory directory;
    writeSmallWorldConfig(directory);
    {
        SCOPED_TRACE("no DISPLAY");
        const runResult run = runProgram(directory, "", "--world w --seed 5", "env -u DISPLAY");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(countOf(run.err, "\n"), 1u) << run.err;
        EXPECT_NE(run.err.find("No display can be reached"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("--generate-only"), std::string::npos) << run.err;
        EXPECT_FALSE(boost::filesystem::exists(directory.file("worlds")));
    }
    {
        SCOPED_TRACE("a display that does not answer");
        const runResult run = runProgram(directory, "", "--world w --seed 5", "DISPLAY=:999");
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.err.find(":999"), std::string::npos) << run.err;
        EXPECT_FALSE(boost::filesystem::exists(directory.file("worlds")));
    }
    {
        SCOPED_TRACE("--generate-only needs none");
        const runResult run =
            runProgram(directory, "", "--generate-only --world w --seed 5", "env -u DISPLAY");
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_TRUE(appearsInOrder(run.out, {"Done generating world map!\n", "Serializing graph\n",
                                             "Closing. Press any key to close this window.\n"}));
        EXPECT_EQ(run.out.find("Done loading pathing grid!"), std::string::npos) << run.out;
    }
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
