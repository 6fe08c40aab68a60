// "Colours.txt": the drawing colour of every enemy kind, the ship, its shots, the bomb blast, score
// pop-ups, power-ups and the trail. The file holds four lines per entry, in table order: the entry's
// name (a label for whoever edits the file; reading ignores it), then red, green and blue as decimal
// integers, 76 lines in all. Reading is purely positional, and components are kept as read, even
// outside 0..255: the drawing layer clamps what it is given.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "settings/status_message.h"

namespace qv {

inline constexpr std::string_view kColourFileName = "Colours.txt";

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const Rgb&) const = default;
};

// Positions in the table; readers take an entry's colour by its position.
enum ColourSlot : int {
  kSquareColour,
  kPinwheelColour,
  kDiamondColour,
  kCubeColour,
  kSeekerColour,
  kButterflyColour,
  kBlackHoleColour,
  kInterceptorColour,
  kSnakeHeadColour,
  kSnakeTailColour,
  kTriangleColour,
  kPlayerColour,
  kShotColour,
  kSuperShotColour,
  kBouncyShotColour,
  kBombColour,
  kScoreColour,
  kPowerUpColour,
  kTrailColour,
  kColourSlotCount
};

struct ColourEntry {
  std::string_view name;  // the label of the entry in the file
  Rgb defaultColour;
};

// The entries in table order, with the colours the game draws in when no file says otherwise.
inline constexpr std::array<ColourEntry, kColourSlotCount> kColourEntries = {{
    {"squares", {32, 255, 32}},
    {"pinwheels", {200, 64, 255}},
    {"diamonds", {32, 255, 255}},
    {"cubes", {255, 32, 255}},
    {"circles", {32, 64, 255}},
    {"butterflies", {128, 32, 255}},
    {"blackholes", {255, 32, 32}},
    {"clone", {255, 32, 32}},
    {"snake head", {190, 32, 255}},
    {"snake tail", {255, 180, 96}},
    {"triangles", {255, 128, 32}},
    {"player", {255, 255, 200}},
    {"shots", {200, 200, 128}},
    {"super shots", {200, 32, 32}},  // wins over bouncy shots when both run
    {"bouncy shots", {32, 200, 32}},
    {"bomb", {255, 255, 255}},
    {"scores", {32, 255, 32}},
    {"powerups", {255, 255, 32}},
    {"trail", {240, 240, 100}},
}};

constexpr std::array<Rgb, kColourSlotCount> DefaultColours() {
  std::array<Rgb, kColourSlotCount> colours{};
  for (std::size_t i = 0; i < colours.size(); ++i) colours[i] = kColourEntries[i].defaultColour;
  return colours;
}

struct ColourTable {
  std::array<Rgb, kColourSlotCount> colours = DefaultColours();

  const Rgb& operator[](ColourSlot slot) const { return colours[static_cast<std::size_t>(slot)]; }
  Rgb& operator[](ColourSlot slot) { return colours[static_cast<std::size_t>(slot)]; }
};

// Reads the 19 entries by position; lines missing at the end read as empty, so their components are 0.
void ParseColours(std::string_view text, ColourTable& table);
std::string FormatColours(const ColourTable& table);

// False when the file cannot be read: the table keeps its colours and the status says
// "Colour file load failed."; otherwise "Colour file loaded.".
bool LoadColours(const std::string& path, ColourTable& table, StatusMessage& status);
// False, with no message, when the file cannot be written; otherwise the status says "Colour file saved.".
bool SaveColours(const std::string& path, const ColourTable& table, StatusMessage& status);

}  // namespace qv
