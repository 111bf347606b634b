#pragma once

#include <set>

class city;
class person;
class placeableObject;

/// One combat: the attacker's summed attack against the defender's summed defence, plus and minus one roll.
/// The loser is defeated; the winner loses nothing. No action when either side has left play.
void attackRoll(placeableObject* attacker, placeableObject* defender);

/// Moves every person of `source` after those of `target` and takes `source` out of play. Returns target, or
/// null when the merge is refused (an object into itself, or one that has left play). A null object stops
/// the program with exit code 1.
placeableObject* merge(placeableObject* source, placeableObject* target);

/// A new unit of the chosen people who still stand in `source`, added last to source's faction. Returns
/// null when none of them is there or source has left play. A null source stops the program.
placeableObject* split(placeableObject* source, const std::set<person*>& chosen);

/// A new, empty city at the object's position under its faction's leader's name, into which the object then
/// merges. Null, with a console line, when the object has left play.
city* foundCity(placeableObject* founder);

/// The console line for an order or action on an object that has left play.
void logLeftPlay(const placeableObject& object);
/// The console line for a merge of an object into itself.
constexpr const char* SELF_MERGE_REFUSAL = "An object can not merge into itself.";
