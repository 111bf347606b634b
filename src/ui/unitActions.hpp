#pragma once

// The command bar's actions (buttonCallback). Each acts on the bar's selected object and does nothing when
// there is none, except resetContext; an object that has left play is refused with a console line.

#include "ui/button.hpp"

/// Makes an attack pending: the next left click on a foreign object orders it.
void attackUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Makes a move pending: the next left click in a grid view orders it.
void moveUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Stops the object where it stands and drops its targets and path, whoever owns it.
void stopUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Makes a merge pending: the next left click on one of the human's objects orders it.
void mergeUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Founds a city where the object stands and merges the object's people into it, whoever owns it.
void foundUnit(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Cancels a pending order, selection or not.
void resetContext(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
/// Opens the info box on the object.
void populateInfoBox(buttonPanel* owner, placeableObject* object, gameController* controller, person* chosen);
