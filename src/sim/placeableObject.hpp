#pragma once

#include "sim/gameObject.hpp"
#include "sim/person.hpp"
#include "sim/travelEquipment.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/Drawable.hpp>
#include <array>
#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

class commander;
class gameArchive;
namespace sf {
class Font;
class RenderTarget;
} // namespace sf

/// A waypoint or position in grid units, without the +1.0 offset of the views.
using waypoint = std::pair<float, float>;

/// Anything that stands on the map: a city or a military unit. Lives until the run ends (its faction keeps
/// it); it is in play while it stands in its faction's `objects`.
///
/// Threads: everything here belongs to the main thread, except the path fields. A search installs its path
/// from its own thread holding `pathMutex`, which guards `destX`, `destY` and `travelPath`, and reads `x`,
/// which the tick therefore moves only under `pathMutex`; `moving`, `pathInProgress`, `pathRequest` and
/// `pathFailure` are atomic, and a search compares `pathRequest` and installs under `pathMutex`.
class placeableObject : public gameObject {
  public:
    /// Does not add the object to the faction.
    placeableObject(std::string name, Faction* faction, float x, float y);
    virtual ~placeableObject();
    placeableObject(const placeableObject&) = delete;
    placeableObject& operator=(const placeableObject&) = delete;

    /// The object's shape at the given screen position, yellow when under the cursor; null for a plain
    /// placeable object.
    virtual std::unique_ptr<sf::Drawable> getSFDrawable(float screenX, float screenY, float cursorX,
                                                        float cursorY, float tolerance) const;
    /// One simulation tick.
    virtual void update();
    /// Called on the loser of a combat.
    virtual void defeat(placeableObject* victor, int roll);

    float x;
    float y;
    int food = 0;
    int gold = 0;
    int wood = 0;
    int iron = 0;
    /// The four goods, in the order of a faction's ledger: food, gold, wood, iron.
    std::array<int*, 4> goods() { return {&food, &gold, &wood, &iron}; }
    bool purchasingAbility = false;
    /// The people standing in this object, in the order they joined. Each stands in one list only.
    std::vector<person*> people;
    /// The commander of this object: the leader of the faction it joined last.
    commander* owner = nullptr;
    /// Grid units per tick on foot.
    float speed = 0.0f;
    /// The current waypoint; guarded by pathMutex.
    float destX = 0.0f;
    float destY = 0.0f;
    std::atomic<bool> moving{false};
    /// The target is one to merge into.
    bool merging = false;
    /// Unit direction towards the waypoint.
    float movementMultiplierX = 0.0f;
    float movementMultiplierY = 0.0f;
    /// The target is one to attack.
    bool attacking = false;
    placeableObject* target = nullptr;
    /// The waypoints still ahead, the current one first; null when there is no path. Guarded by pathMutex.
    std::unique_ptr<std::vector<waypoint>> travelPath;
    /// A path search for this object has been accepted and has not finished.
    std::atomic<bool> pathInProgress{false};
    /// The number of the latest path request; a search's answer to any other is dropped.
    std::atomic<std::uint64_t> pathRequest{0};
    /// Where the last path accepted was asked to go, x in the +1.0 convention: an attacker asks again once
    /// its target stands elsewhere.
    float pathAskedX = 0.0f;
    float pathAskedY = 0.0f;
    /// Why the last search found no path; none once it found one, or while the next runs.
    std::atomic<unreachableReason> pathFailure{unreachableReason::none};
    std::map<travelEquipment, int> equipment;
    mutable std::mutex pathMutex;
    bool isMilitary = false;
    /// The tick on which one of its people last starved, and the first day's tick of that famine (days in a
    /// row). Read only on the tick they are set, for the day's alert, so a saved game need not keep them.
    int starvedOnTick = -1;
    int starvingSinceTick = -1;

    int numPeople() const { return static_cast<int>(people.size()); }
    /// True while the object stands in its faction's list: it is updated, drawn and can take orders.
    bool inPlay() const;
    bool belongsToHuman() const;

    /// Light green for the human's objects, red for the others.
    sf::Color getObjectColor() const;
    /// Within `tolerance` of the cursor on both axes (strictly), comparing x + 1.0 with the cursor's x the
    /// short way round the world.
    bool isUnderCursor(float cursorX, float cursorY, float tolerance) const;
    /// Yellow under the cursor, otherwise the object's colour.
    sf::Color getShapeColor(float cursorX, float cursorY, float tolerance) const;
    /// The shape and the name label, the label below the shape's corner.
    void draw(sf::RenderTarget& target, const sf::Font& font, float screenX, float screenY, float cursorX,
              float cursorY, float tolerance) const;

    /// A ring around the shape drawn at the given screen position, marking the selected object.
    void drawSelectionMark(sf::RenderTarget& target, float screenX, float screenY) const;

    int getAttackStrength() const;
    int getDefenceStrength() const;

    /// Appends a person made for this object, which keeps it alive for the run.
    person* addNewPerson(std::unique_ptr<person> newcomer);
    /// The people this object brought into the world, wherever they stand now.
    const std::vector<std::unique_ptr<person>>& peopleMade() const { return made; }
    /// One person at random leaves the list and dies; null when there is nobody.
    person* killRandomPerson();
    /// Takes `p` out of the list if it is there, keeping the order of the others.
    void removePerson(person* p);
    bool hasPerson(const person* p) const;
    /// A random member; null when there is nobody.
    person* selectRandomPerson() const;

    void stopMovement() { moving = false; }
    void resetTargets();
    /// Drops the remaining waypoints. Takes pathMutex.
    void clearTravelPath();
    void setAttackTarget(placeableObject* t);
    void setMergeTarget(placeableObject* t);
    /// Adds `count` of `kind`; a negative count means one per person.
    void giveEquipment(travelEquipment kind, int count);

    /// What the unit may cross and ride: each kind true when there is one per person (all true for nobody).
    travelAttributes getTravelAttributes() const;
    /// Grid units per tick: twice `speed` when everyone has a horse.
    float getSpeed() const;
    /// Makes (tx, ty) the current waypoint, the short way round the world, and sets `moving`.
    /// The caller holds pathMutex.
    void setDestination(float tx, float ty);
    /// Asks for a path to (x, y), x in the +1.0 convention, searched on the path pool's threads; with
    /// `explain`, a search that finds none also finds out which gear the object lacks. Refused with a
    /// message while an earlier search for this object runs. Main thread.
    void setPath(float x, float y, bool explain = false);
    /// Drops the search in flight, if any: its path is never installed, and a new one may be asked for at
    /// once. Main thread.
    void cancelPath();
    /// Searches and installs a path to (x, y) on the calling thread.
    void calculatePath(float x, float y);
    /// Replaces the waypoints by `waypoints` and heads for the first one. Takes pathMutex; any thread.
    void installPath(const std::vector<waypoint>& waypoints);
    /// installPath for a caller that holds pathMutex.
    void installPathHeld(const std::vector<waypoint>& waypoints);

    /// On a day boundary: the people eat; one starves when the food runs out, which the console is told of
    /// (for a computer faction's object only with logEnemies).
    void consumeFood();

  protected:
    friend class gameArchive;
    /// For a saved game, which fills every field: no equipment entries, nothing drawn or allocated.
    placeableObject();
    /// clearTravelPath for a caller that holds pathMutex.
    void dropTravelPath() { travelPath.reset(); }

  private:
    /// At least one item of `kind` per person.
    bool everyoneHas(travelEquipment kind) const;

    std::vector<std::unique_ptr<person>> made;
};
