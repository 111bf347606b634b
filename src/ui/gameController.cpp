#include "ui/gameController.hpp"

#include "world/iceCap.hpp"
#include "world/worldMap.hpp"

void gameController::generateWorld(worldMap& map, iceCap& north, iceCap& south) {
    map.init();
    map.gen();
    map.setArea();
    map.tuneEdges();
    north.gen();
    south.gen();
}
