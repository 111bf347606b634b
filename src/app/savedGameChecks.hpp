#pragma once

struct gameParts;
struct savedGameWorld;

/// Refuses a game read from game.dat that the game could not run on in `world`: every link and list the game
/// follows after loading, and every number it adds to or draws a random range from, checked against what a
/// game can hold. Throws std::runtime_error saying what is wrong ("the computer opponent drives a faction
/// that is not there").
void checkLoadedGame(const gameParts& game, const savedGameWorld& world);
