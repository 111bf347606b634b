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

/// Logs `prompt` and makes the order `context` pending.
void makePending(placeableObject* object, gameController* controller, const char* prompt, int context) {
    if (controller == nullptr || !actionable(object)) {
        return;
    }
    logToConsole(prompt);
    controller->context = context;
}

} // namespace

void attackUnit(buttonPanel*, placeableObject* object, gameController* controller, person*) {
    makePending(object, controller, "Select a unit to order the attack.", gameController::attackPending);
}

void moveUnit(buttonPanel*, placeableObject* object, gameController* controller, person*) {
    makePending(object, controller, "Select a location to order the move.", gameController::movePending);
}

void mergeUnit(buttonPanel*, placeableObject* object, gameController* controller, person*) {
    makePending(object, controller, "Select a unit to merge into.", gameController::mergePending);
}

void stopUnit(buttonPanel*, placeableObject* object, gameController*, person*) {
    if (!actionable(object)) {
        return;
    }
    object->stopMovement();
    object->resetTargets();
    object->clearTravelPath();
    logToConsole("Stopped movement");
}

void foundUnit(buttonPanel*, placeableObject* object, gameController*, person*) {
    if (!actionable(object)) {
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
