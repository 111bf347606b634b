#pragma once

#include "app/settings.hpp"

#include <string>

/// Restores every settings global at scope end, so tests may change them freely.
class settingsGuard {
  public:
    settingsGuard()
        : savedScale(scale), savedSpeed(gameSpeedMultiplier), savedWidth(worldWidth),
          savedHeight(worldHeight), savedSeed(worldSeed), savedUseSeed(useSpecifiedSeed), savedArea(lArea),
          savedFactions(numFactions), savedChildChance(childChance), savedFoodRate(foodConsumeRate),
          savedName(humanName), savedLogEnemies(logEnemies), savedPanningRect(showPanningRectInGridView) {}
    ~settingsGuard() {
        scale = savedScale;
        gameSpeedMultiplier = savedSpeed;
        worldWidth = savedWidth;
        worldHeight = savedHeight;
        worldSeed = savedSeed;
        useSpecifiedSeed = savedUseSeed;
        lArea = savedArea;
        numFactions = savedFactions;
        childChance = savedChildChance;
        foodConsumeRate = savedFoodRate;
        humanName = savedName;
        logEnemies = savedLogEnemies;
        showPanningRectInGridView = savedPanningRect;
    }
    settingsGuard(const settingsGuard&) = delete;
    settingsGuard& operator=(const settingsGuard&) = delete;

  private:
    float savedScale, savedSpeed;
    int savedWidth, savedHeight, savedSeed;
    bool savedUseSeed;
    int savedArea, savedFactions, savedChildChance, savedFoodRate;
    std::string savedName;
    bool savedLogEnemies, savedPanningRect;
};
