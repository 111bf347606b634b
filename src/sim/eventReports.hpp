#pragma once

#include <memory>
#include <string>
#include <vector>

class Faction;
class gameOutcome;
class placeableObject;

// The console's lines about what happens in the world, worded from the human's side: the human's objects are
// "Your city …" and "Your unit …". Positions are shown as everywhere the user sees them (x + 1), to a tenth
// of a grid: the map cell.

/// A battle's line, made before the loser is defeated: "The attacker has won!" or "The defender has won!",
/// then who beat whom and where the defender stood, for example "The attacker has won! Your unit Rua's Unit
/// took Jorelheim from Ilsa's Faction at (12.3, 4.5)." A loss of the human's (`human` may be null) is told
/// from their side: "Your city Lorona was taken by …".
std::string battleReport(const placeableObject& attacker, const placeableObject& defender, bool attackerWon,
                         const Faction* human);

/// The object's name, followed by its faction's in brackets where an object in play of another faction
/// among `everyone` has the same name.
std::string placeName(const placeableObject& object, const std::vector<std::unique_ptr<Faction>>& everyone);

/// The day's one alert about the human's objects where a famine began, named in `places` (at least one).
std::string starvationAlert(const std::vector<std::string>& places);

/// "less than a day", "1 day", "37 days".
std::string daysText(int days);

/// The alert of the tick on which the human's game ended (`outcome` has ended).
std::string endOfGameAlert(const gameOutcome& outcome);
