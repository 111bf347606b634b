#pragma once

#include "sim/placeableObject.hpp"

/// People on the move: a unit walks its path a step per tick and fights or merges where the path ends.
class militaryUnit : public placeableObject {
  public:
    /// A faction's starting unit: its leader first, then 6 to 11 new soldiers named by the faction's name
    /// source.
    militaryUnit(std::string name, Faction* faction, float x, float y);
    /// A unit of people who already stand elsewhere (a split); the caller has taken them out of their list.
    militaryUnit(std::string name, Faction* faction, float x, float y, std::vector<person*> members);

    /// A circle of radius 5 centred on the screen position.
    std::unique_ptr<sf::Drawable> getSFDrawable(float screenX, float screenY, float cursorX, float cursorY,
                                                float tolerance) const override;
    /// Eats on day boundaries, then moves one step along its path; at its end, attacks or merges.
    void update() override;
    /// Every member dies and the unit leaves play.
    void defeat(placeableObject* victor, int roll) override;

  private:
    friend class gameArchive;
    militaryUnit() = default;
};
