// The name-entry screen after a game that beat the tenth place of its difficulty. The player spells
// an eight-character name by typing, or with the arrows and the sticks: Up and Down (or the left
// stick's vertical) step the character under the cursor through the character cycle, Left and Right
// (or the left stick's horizontal) move the cursor, and the right stick's vertical swaps a letter's
// case. Enter, the mouse bomb button or the joystick bomb button confirms. The entry goes into the
// table and straight into "hiscores.dat", so a score survives even a program that never exits
// cleanly.
#pragma once

#include <array>
#include <string>

namespace qv {

struct Game;

inline constexpr int kNameLength = 8;

// The character cycle of the arrows and the stick. Stepping up (direction > 0) visits the space, the
// capital letters, [ \ ] ^ _ `, { | } ~, then ! to @ and back to the space; stepping down walks it
// backwards. A lower-case letter steps to its neighbour, and leaves the letters at either end: 'z'
// up to '[', 'a' down to the space. Lower case is reached only by typing or by swapping case.
int StepNameChar(int code, int direction);

// A letter in the other case; anything else unchanged.
int SwapLetterCase(int code);

// The eight codes of the name buffer as text.
std::string NameText(const std::array<int, kNameLength>& codes);

// The state of one run of the screen.
struct NameEntry {
  int position = 0;                // the character being edited, 0..7
  std::array<bool, 3> held{};      // a stick held on the fire-Y, move-Y and move-X axes
  std::string timeText;            // the play time of the game
};

// One frame of controls: reads the sticks and the keys and edits the name buffer.
void NameEntryControls(Game& game, NameEntry& entry);

// The screen's texts and the cursor.
void DrawNameEntry(Game& game, const NameEntry& entry);

// Enter or the mouse bomb button hit, or the joystick bomb button of the chosen scheme held while the
// joysticks are not resting.
bool NameEntryConfirmed(Game& game);

// Returns the row where the new entry was placed, or -20 when the game may not enter the table
// (played in cheat mode: nothing is shown).
int EnterHighScore(Game& game);

}  // namespace qv
