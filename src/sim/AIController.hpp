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
    /// Orders each idle unit of each driven faction to attack its nearest target. A unit with no target left
    /// stays idle: the game goes on for watching when one side has won.
    void updateAI();
    /// The nearest object of another faction by stored position; ties go to the lower faction index, then to
    /// the earlier object. Null when no other faction has anything in play.
    placeableObject* determineBestTarget(placeableObject* unit);
};
