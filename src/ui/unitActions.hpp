#pragma once

// The command bar's actions (buttonCallback). Each acts on the bar's selected object and does nothing when
// there is none, except resetContext; an object that has left play is refused with a console line, and so are
// Stop and Found City on an object the human does not own, and the orders a city cannot carry out.

#include "ui/button.hpp"

/// The console's lines for an order a city cannot carry out: it does not walk.
constexpr const char* CITY_MOVE_REFUSAL = "A city can not move: select a unit to order the move.";
constexpr const char* CITY_ATTACK_REFUSAL = "A city can not attack: select a unit to order the attack.";
constexpr const char* CITY_MERGE_REFUSAL =
    "A city can not merge into another object: select a unit to merge.";

/// Makes an attack pending: the next left click on a foreign object orders it.
void attackUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Makes a move pending: the next left click in a grid view orders it.
void moveUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Stops the human's object where it stands and drops its targets, its path and any search for one.
void stopUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Makes a merge pending: the next left click on one of the human's objects orders it.
void mergeUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Founds a city where the human's unit stands and merges the unit into it, people, goods and gear.
void foundUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Cancels a pending order, selection or not.
void resetContext(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Opens the info box on the object.
void populateInfoBox(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
