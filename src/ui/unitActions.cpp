#include "ui/unitActions.hpp"

#include "app/consoleLog.hpp"
#include "sim/combat.hpp"
#include "sim/placeableObject.hpp"
#include "ui/gameController.hpp"
#include "ui/infoBox.hpp"
#include "view/gameView.hpp"

namespace {

/// An object to act on: there is one and it is still in play (else says so).
bool actionable(const placeableObject* object) {
    if (object == nullptr) {
        return false;
    }
    if (!object->inPlay()) {
        logLeftPlay(*object);
        return false;
    }
    return true;
}

/// An object of the human's to act on (else says so with `refusal`).
bool ownedAndActionable(const placeableObject* object, const gameController* controller,
                        const char* refusal) {
    if (!actionable(object) || controller == nullptr) {
        return false;
    }
    if (!controller->humanOwns(*object)) {
        logToConsole(refusal);
        return false;
    }
    return true;
}

/// Logs `prompt` and makes the order `context` pending; a city, which cannot walk, is refused with
/// `cityRefusal`.
void makePending(placeableObject* object, gameController* controller, const char* prompt, int context,
                 const char* cityRefusal) {
    if (controller == nullptr || !actionable(object)) {
        return;
    }
    if (!object->isMilitary) {
        logToConsole(cityRefusal);
        return;
    }
    logToConsole(prompt);
    controller->context = context;
}

} // namespace

void attackUnit(buttonPanel*, placeableObject* object, gameController* controller, person*) {
    makePending(object, controller, "Select a unit to order the attack.", gameController::attackPending,
                CITY_ATTACK_REFUSAL);
}

void moveUnit(buttonPanel*, placeableObject* object, gameController* controller, person*) {
    makePending(object, controller, "Select a location to order the move.", gameController::movePending,
                CITY_MOVE_REFUSAL);
}

void mergeUnit(buttonPanel*, placeableObject* object, gameController* controller, person*) {
    makePending(object, controller, "Select a unit to merge into.", gameController::mergePending,
                CITY_MERGE_REFUSAL);
}

void stopUnit(buttonPanel*, placeableObject* object, gameController* controller, person*) {
    if (!ownedAndActionable(object, controller, "You can not stop an object that you do not own.")) {
        return;
    }
    // A search still running would set it moving again when it ends.
    object->cancelPath();
    object->stopMovement();
    object->resetTargets();
    object->clearTravelPath();
    logToConsole("Stopped movement");
}

void foundUnit(buttonPanel*, placeableObject* object, gameController* controller, person*) {
    if (!ownedAndActionable(object, controller,
                            "You can not found a city with an object that you do not own.")) {
        return;
    }
    if (!object->isMilitary) {
        logToConsole(CITY_FOUNDING_REFUSAL);
        return;
    }
    logToConsole("Founding city.");
    foundCity(object);
}

void resetContext(buttonPanel*, placeableObject*, gameController* controller, person*) {
    if (controller != nullptr) {
        controller->context = gameController::noOrder;
    }
    logToConsole("Action canceled.");
}

void populateInfoBox(buttonPanel*, placeableObject* object, gameController* controller, person*) {
    if (controller == nullptr || controller->view == nullptr || !actionable(object)) {
        return;
    }
    logToConsole("Showing details.");
    controller->view->infoPanel->update(object);
}
