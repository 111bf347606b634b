#pragma once

#include "sim/gameObject.hpp"
#include "sim/occupation.hpp"

#include <map>
#include <string>

class gameArchive;

/// One citizen or soldier.
class person : public gameObject {
  public:
    /// Draws from the random source: the job first when `job` is RANDOM_OCCUPATION, then the sex.
    person(std::string name, Faction* faction, occupation job);
    /// Virtual so that a saved game keeps a leader in a unit's list as the commander it is.
    virtual ~person() = default;
    person(const person&) = delete;
    person& operator=(const person&) = delete;

    bool isMale;
    /// Experience per occupation: 200 in the person's own job, 50 in the others to start with.
    std::map<occupation, int> skills;
    occupation job;
    int attack;
    int defence;
    /// False once starved or killed in combat; the dead stand in no object's list.
    bool alive = true;

  protected:
    friend class gameArchive;
    /// For a saved game, which fills every field; draws nothing from the random source.
    person();
};
