#include "support/checksum.hpp"
#include "support/settingsGuard.hpp"
#include "support/smallWorld.hpp"
#include "world/iceCap.hpp"

#include <gtest/gtest.h>
#include <vector>

namespace {
const std::string WRAP_NOTICE =
    "Copying data from the left column to the right column. You should only see this once.\n";
}

TEST(WorldMap, FixedSeedsGiveKnownHeights) {
    // FNV-1a of the heights in column order; a separate script written from the generation rules (random
    // source, walk, interpolation, edges, land share, caps) gives the same.
    struct knownWorld {
        int width, height, seed;
        std::uint64_t map, northCap, southCap;
    };
    const knownWorld worlds[] = {
        {190, 70, -7, 0x0b8f2d86987e629fu, 0xd7902635b0f6032eu, 0x2375e4d8a447c783u},
        {360, 130, 11899, 0xbce9e89131b17338u, 0x28ddc8a699a13f59u, 0x3ffa2b8da237f8e1u},
    };
    settingsGuard settings;
    for (const knownWorld& known : worlds) {
        SCOPED_TRACE(known.seed);
        std::tie(worldWidth, worldHeight, lArea) = std::make_tuple(known.width, known.height, 30);
        std::ostringstream log;
        const worldMap map = generatedMap(static_cast<unsigned>(known.seed), log);
        iceCap north, south;
        north.gen();
        south.gen();
        EXPECT_EQ(std::make_tuple(fnv1a(map.data.data(), map.data.size()),
                                  fnv1a(north.data.data(), north.data.size()),
                                  fnv1a(south.data.data(), south.data.size()), log.str()),
                  std::make_tuple(known.map, known.northCap, known.southCap, WRAP_NOTICE));
        EXPECT_EQ(std::make_pair(north.data(180, 0), south.data(180, 25)), std::make_pair(100, -100))
            << "ice at the pole, open water where the cap meets the map";
    }
}
