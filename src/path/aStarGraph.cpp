#include "path/aStarGraph.hpp"

aStarGraph::aStarGraph(int width, int height, std::ostream& log) : gridWidth(width), gridHeight(height) {
    log << "Creating mapGridTerrain[" << gridWidth << "][" << gridHeight << "]" << std::endl;
    mapGridTerrain = heightField(gridWidth, gridHeight);
    log << "mapGridTerrain initialization done!" << std::endl;
}
