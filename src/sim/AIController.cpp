#include "sim/AIController.hpp"

#include "app/gameInit.hpp"
#include "path/pathGeometry.hpp"
#include "sim/Faction.hpp"
#include "sim/placeableObject.hpp"

#include <cfloat>

void AIController::addFaction(Faction* f) {
    controlledFactions.push_back(f);
}

void AIController::updateAI() {
    for (Faction* faction : controlledFactions) {
        // The list may grow or shrink under the orders; read its size every time.
        for (std::size_t k = 0; k < faction->objects.size(); ++k) {
            placeableObject* unit = faction->objects[k];
            if (!unit->isMilitary || unit->moving) {
                continue;
            }
            placeableObject* target = determineBestTarget(unit);
            if (target == nullptr) {
                continue;
            }
            unit->setPath(target->x + 1.0f, target->y);
            unit->setAttackTarget(target);
        }
    }
}

placeableObject* AIController::determineBestTarget(placeableObject* unit) {
    placeableObject* best = nullptr;
    float bestDistance = FLT_MAX;
    for (const auto& faction : factions) {
        if (faction.get() == unit->faction) {
            continue;
        }
        for (placeableObject* candidate : faction->objects) {
            const float distance = distanceBetween(unit->x, unit->y, candidate->x, candidate->y);
            if (distance < bestDistance) {
                best = candidate;
                bestDistance = distance;
            }
        }
    }
    return best;
}
