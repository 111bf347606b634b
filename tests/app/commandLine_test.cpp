#include "app/commandLine.hpp"

#include <gtest/gtest.h>
#include <stdexcept>

TEST(CommandLine, OptionsAreRecognised) {
    const startupOptions none = parseCommandLine({});
    EXPECT_FALSE(none.worldName || none.seed || none.generateOnly || none.showHelp || none.showVersion);

    const startupOptions all = parseCommandLine({"--world", "w1", "--seed=-5", "--generate-only"});
    EXPECT_EQ(all.worldName, "w1");
    EXPECT_EQ(all.seed, "-5");
    EXPECT_TRUE(all.generateOnly);
    EXPECT_EQ(parseCommandLine({"--world=", "--seed", "7"}).worldName, "");
    EXPECT_TRUE(parseCommandLine({"--help"}).showHelp);
    EXPECT_TRUE(parseCommandLine({"--version"}).showVersion);
}

TEST(CommandLine, UnknownOptionsAndMissingValuesAreRefused) {
    EXPECT_THROW((void)parseCommandLine({"--wrold", "w"}), std::invalid_argument);
    EXPECT_THROW((void)parseCommandLine({"w1"}), std::invalid_argument);
    EXPECT_THROW((void)parseCommandLine({"--seed"}), std::invalid_argument);
    EXPECT_THROW((void)parseCommandLine({"--generate-only=1"}), std::invalid_argument);
}
