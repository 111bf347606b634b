#pragma once

#include <cstdint>
#include <optional>
#include <string>

class placeableObject;

// The texts of the interface's panels, apart from drawing. Coordinates show x + 1, as everywhere the user
// sees a position.

/// The command bar's details of a selected object: name, position, faction, owner, strengths, population
/// and resources, one per line. The name says "(no longer in play)" after it when the object has left play.
std::string commandPanelText(const placeableObject& object);

/// The command bar's status line: the game tick, then the game date (`gameSeconds` since 1970-01-01 00:00
/// UTC) in the C library's asctime form, which ends with a line break.
std::string gameStatusText(int gameTick, std::int64_t gameSeconds);
/// The status line's speed: "Speed: 4x", and the speed reached when the machine falls behind ("Speed: 16x,
/// reaching 9.3x").
std::string gameSpeedText(double factor, std::optional<double> reached);
/// The game date alone, in the asctime form without its line break; "?" for a date it cannot show.
std::string gameDateText(std::int64_t gameSeconds);

/// The info box's details: the header of thirteen lines (the last "Citizens:"), then three lines per
/// citizen in the object's order. The name is marked as in commandPanelText.
std::string infoBoxText(const placeableObject& object);

/// The object's goods and the gear it carries, in a line: "120 food, 7 gold, 8 wood, 9 iron, 2 rafts" (gear
/// only where there is some).
std::string goodsText(const placeableObject& object);

/// The tooltip's card for the object under the cursor; "NULL OBJECT!\n" for none.
std::string tooltipText(const placeableObject* object);
