#pragma once

#include <vector>

class Faction;
class placeableObject;

/// The computer opponent: sends every idle unit of the factions handed to it against the nearest object of
/// any other faction. Main thread only.
class AIController {
  public:
    /// The factions driven, in the order they were added; a faction added twice is driven twice.
    std::vector<Faction*> controlledFactions;

    void addFaction(Faction* f);
    /// Orders each idle unit of each driven faction to attack its nearest target. Ends the game
    /// (exitRequest, exit code 1) when a unit has no target left.
    void updateAI();
    /// The nearest object of another faction by stored position; ties go to the lower faction index, then to
    /// the earlier object. Ends the game when there is none.
    placeableObject* determineBestTarget(placeableObject* unit);
};
