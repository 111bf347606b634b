#pragma once

#include "app/settings.hpp"

#include <tuple>

/// The settings globals that config.xml and the tests set, by reference.
inline auto settingGlobals() {
    return std::tie(scale, gameSpeedMultiplier, worldWidth, worldHeight, worldSeed, useSpecifiedSeed, lArea,
                    numFactions, childChance, foodConsumeRate, humanName, logEnemies,
                    showPanningRectInGridView);
}

template <typename... T> std::tuple<T...> valuesOf(const std::tuple<T&...>& references) {
    return references;
}

/// Restores every settings global at scope end, so tests may change them freely.
class settingsGuard {
  public:
    settingsGuard() : saved(settingGlobals()) {}
    ~settingsGuard() { settingGlobals() = saved; }
    settingsGuard(const settingsGuard&) = delete;
    settingsGuard& operator=(const settingsGuard&) = delete;

  private:
    decltype(valuesOf(settingGlobals())) saved;
};
