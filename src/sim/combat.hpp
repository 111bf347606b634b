#pragma once

#include <set>

class city;
class person;
class placeableObject;

/// One combat: the attacker's summed attack against the defender's summed defence, plus and minus one roll.
/// The loser is defeated; the winner loses nothing. No action when either side has left play. The console is
/// told who won, as an alert when the human's faction fought, and of other battles only with logEnemies.
void attackRoll(placeableObject* attacker, placeableObject* defender);

/// Moves every person of `source` after those of `target`, and its goods and gear into `target` (a count is
/// held at the largest int), and takes `source` out of play. Returns target, or null when the merge is
/// refused (an object into itself, or one that has left play). A null object stops the program with exit
/// code 1.
placeableObject* merge(placeableObject* source, placeableObject* target);

/// A new unit of the chosen people who still stand in `source`, in their order there, added last to source's
/// faction. It takes its people's share of each good and each kind of gear (k of n people take
/// amount × k / n, rounded down); the source keeps the rest. Returns null when none of them is there or
/// source has left play. A null source stops the program.
placeableObject* split(placeableObject* source, const std::set<person*>& chosen);

/// A new, empty city at the unit's position under its faction's leader's name, into which the unit then
/// merges with its people, goods and gear. Null, with a console line, when the object has left play or is a
/// city.
city* foundCity(placeableObject* founder);

/// The console line for an order or action on an object that has left play.
void logLeftPlay(const placeableObject& object);
/// The console line for a city asked to found a city.
constexpr const char* CITY_FOUNDING_REFUSAL = "A city can not found a city: select a unit to found one.";
/// The console line for a merge of an object into itself.
constexpr const char* SELF_MERGE_REFUSAL = "An object can not merge into itself.";
