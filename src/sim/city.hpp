#pragma once

#include "sim/placeableObject.hpp"

/// A settlement: its citizens work, eat and have children once a game day.
class city : public placeableObject {
  public:
    /// With `populate`, 45 to 55 citizens with random jobs, named by the faction's name source; otherwise
    /// none. Owned by the faction's leader but not added to the faction.
    city(std::string name, Faction* faction, float x, float y, bool populate);

    /// A 10 × 10 square with its corner at the screen position.
    std::unique_ptr<sf::Drawable> getSFDrawable(float screenX, float screenY, float cursorX, float cursorY,
                                                float tolerance) const override;
    /// The daily economy: production and practice, food, births.
    void update() override;
    /// Every citizen dies and the empty city joins the victor's faction.
    void defeat(placeableObject* victor, int roll) override;

  private:
    friend class gameArchive;
    city() = default;
};
