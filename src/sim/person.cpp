#include "sim/person.hpp"

#include "app/random.hpp"

#include <utility>

namespace {
constexpr int OWN_JOB_SKILL = 200;
constexpr int OTHER_JOB_SKILL = 50;
constexpr int SOLDIER_STRENGTH = 10;
constexpr int CIVILIAN_STRENGTH = 1;
} // namespace

person::person() : gameObject("", nullptr), isMale(false), job(Unemployed), attack(0), defence(0) {}

person::person(std::string name, Faction* faction, occupation job) : gameObject(std::move(name), faction) {
    this->job = job == RANDOM_OCCUPATION ? static_cast<occupation>(randomRange(0, NUM_OCCUPATIONS - 1)) : job;
    for (int k = 0; k < NUM_OCCUPATIONS; ++k) {
        skills[static_cast<occupation>(k)] = k == this->job ? OWN_JOB_SKILL : OTHER_JOB_SKILL;
    }
    attack = defence = this->job == Soldier ? SOLDIER_STRENGTH : CIVILIAN_STRENGTH;
    isMale = randomRange(0, 1) != 0;
}
