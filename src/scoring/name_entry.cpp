#include "scoring/name_entry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "effects/particles.h"
#include "scoring/high_scores.h"
#include "scoring/play_time.h"
#include "shell/frame.h"
#include "shell/game.h"

namespace qv {

namespace {

// A stick must lean past 0.3 to count here, whatever dead zone it is configured with.
constexpr float kStickCut = 0.3f;

enum HeldAxis { kHeldFireY, kHeldMoveY, kHeldMoveX };

float CutStick(float value) {
  if (!std::isfinite(value) || std::fabs(value) < kStickCut) return 0.0f;
  return value;
}

// The first of the keys 0-9, A-Z (and the codes between) hit this frame; 0 when none was.
int TypedKey(Game& game) {
  for (int code = '0'; code <= 'Z'; ++code) {
    if (game.in.KeyHit(code) > 0) return code;
  }
  return 0;
}

void Click(Game& game) { game.PlaySound(1, 0, 1, Sound::QuarkHit); }

std::string SummaryOfSettings(const Game& game) {
  const DisplayTables& d = game.display;
  const bool modeOk = d.modeIndex >= 0 && d.modeIndex < kModeCount;
  const bool fieldOk = d.playfieldIndex >= 0 && d.playfieldIndex < kModeCount;
  const std::string label = modeOk ? d.modeTable[static_cast<std::size_t>(d.modeIndex)].label : std::string();
  const PlayfieldSize field = fieldOk ? d.playfieldSizes[static_cast<std::size_t>(d.playfieldIndex)] : PlayfieldSize{};
  return SettingsSummary(game.settings, label, field.width, field.height);
}

}  // namespace

int StepNameChar(int code, int direction) {
  if (direction > 0) {
    const int c = code + 1;
    if (c >= 127) return 33;
    if (c == 65) return 32;
    if (c == 33) return 65;
    if (c == 123) return 91;
    if (c == 97) return 123;
    return c;
  }
  if (direction < 0) {
    const int c = code - 1;
    if (c == 32) return 126;
    if (c == 64) return 32;
    if (c < 32) return 64;
    if (c == 96) return 32;
    if (c == 122) return 96;
    return c;
  }
  return code;
}

int SwapLetterCase(int code) {
  if (code >= 'A' && code <= 'Z') return code + 32;
  if (code >= 'a' && code <= 'z') return code - 32;
  return code;
}

std::string NameText(const std::array<int, kNameLength>& codes) {
  std::string name;
  for (const int code : codes) name += static_cast<char>(code);
  return name;
}

void NameEntryControls(Game& game, NameEntry& entry) {
  InputState& in = game.input;
  float* values[3] = {&in.fireY, &in.moveY, &in.moveX};
  in.fireY = CutStick(ReadActiveStick(game, StickAxis::FireY));
  in.moveY = CutStick(ReadActiveStick(game, StickAxis::MoveY));
  in.moveX = CutStick(ReadActiveStick(game, StickAxis::MoveX));
  // A stick held over acts once at once, then again each time the rest runs out.
  for (int a = 0; a < 3; ++a) {
    float& v = *values[a];
    bool& held = entry.held[static_cast<std::size_t>(a)];
    if (v == 0) held = false;
    if (held && in.debounce > 0) v = 0;
  }

  // Up and Down repeat while held (every time the rest runs out); Left and Right act once per press.
  if (game.in.KeyDown(kKeyUp) && in.debounce == 0) in.moveY = -1;
  if (game.in.KeyDown(kKeyDown) && in.debounce == 0) in.moveY = 1;
  if (game.in.KeyHit(kKeyLeft) > 0) in.moveX = -1;
  if (game.in.KeyHit(kKeyRight) > 0) in.moveX = 1;
  for (int a = 0; a < 3; ++a) {
    if (*values[a] != 0) entry.held[static_cast<std::size_t>(a)] = true;
  }

  // Typing writes the character and moves on, resting or not: letters in lower case unless a shift
  // key is down.
  std::array<int, kNameLength>& name = game.nameBuffer;
  const std::size_t at = static_cast<std::size_t>(entry.position);
  const bool shift = game.in.KeyDown(kKeyLeftShift) || game.in.KeyDown(kKeyRightShift);
  if (const int typed = TypedKey(game); typed != 0) {
    name[at] = !shift && typed >= 'A' && typed <= 'Z' ? typed + 32 : typed;
    in.moveX = 1;
  }
  if (game.in.KeyHit(kKeySpace) > 0) {
    name[at] = ' ';
    in.moveX = 1;
  }

  if (in.fireY != 0) {
    name[at] = SwapLetterCase(name[at]);
    in.debounce = 15;
    Click(game);
  }
  if (in.moveY < 0) {
    name[at] = StepNameChar(name[at], -1);
    in.debounce = 8;
    Click(game);
  }
  if (in.moveY > 0) {
    name[at] = StepNameChar(name[at], 1);
    in.debounce = 8;
    Click(game);
  }
  if (in.moveX < 0) {
    entry.position = (entry.position + kNameLength - 1) % kNameLength;
    in.debounce = 15;
    Click(game);
  }
  if (in.moveX > 0) {
    entry.position = (entry.position + 1) % kNameLength;
    in.debounce = 15;
    Click(game);
  }
}

void DrawNameEntry(Game& game, const NameEntry& entry) {
  Graphics& gfx = game.gfx;
  const int cx = game.view.viewWidth / 2, cy = game.view.viewHeight / 2;
  gfx.SetColor(255, 255, 255);
  game.DrawText("Congratulations!", cx - 250, cy - 240, 3);
  game.DrawText("You are in the top 10.", cx - 250, cy - 200, 3);
  game.DrawText("Difficulty Level: " + std::string(DifficultyName(game.state.gameDifficulty)), cx - 250,
                cy - 160, 3);
  gfx.SetColor(0, 255, 0);
  game.DrawText("Score: " + std::to_string(game.state.score), cx - 200, cy - 80, 3);
  game.DrawText("Time:  " + entry.timeText, cx - 200, cy - 40, 3);
  game.DrawText("Name:  " + NameText(game.nameBuffer), cx - 200, cy, 3);
  // One underline per character (cells are 15 pixels wide at this size), the cursor's in yellow.
  for (int i = 0; i < kNameLength; ++i) {
    if (i == entry.position)
      gfx.SetColor(255, 255, 0);
    else
      gfx.SetColor(0, 255, 0);
    gfx.Line(static_cast<float>(cx - 95 + 15 * i), static_cast<float>(cy + 22), static_cast<float>(cx - 83 + 15 * i),
             static_cast<float>(cy + 22));
  }
  gfx.SetColor(255, 255, 255);
  game.DrawText("Up and Down to select letter,", cx - 250, cy + 80, 3);
  game.DrawText("Left and Right to select position.", cx - 250, cy + 120, 3);
  game.DrawText("Press Enter when done.", cx - 250, cy + 160, 3);
}

bool NameEntryConfirmed(Game& game) {
  const Settings& s = game.settings;
  if (game.in.KeyHit(kKeyEnter) > 0) return true;
  if (game.in.MouseHit(s.mouseBombButton) > 0) return true;
  if (game.input.debounce != 0) return false;
  if (s.controlType == ControlType::Joypad) return game.in.JoyDown(s.usedPort, s.joypadBombButton);
  if (s.controlType == ControlType::DualAnalog) return game.in.JoyDown(s.usedPort, game.activeJoy.bombButton);
  return false;
}

int EnterHighScore(Game& game) {
  if (game.state.scoreEligible == 0) return kNoHighScoreRow;
  game.view.scrollX = game.view.scrollY = 0;
  game.input.debounce = 20;
  game.PlaySound(1, 0, 1, Sound::Bonus1Entry);
  NameEntry entry;
  entry.timeText = FormatPlayTime(game.state.gameTicks);
  game.in.FlushKeys();
  game.in.FlushMouse();
  Graphics& gfx = game.gfx;
  gfx.SetBlend(kAddBlend);
  gfx.SetAlpha(1);
  gfx.SetRotation(0);
  gfx.SetScale(1, 1);
  gfx.SetLineWidth(2);

  // A closed window confirms the name as it stands, so the score is kept.
  while (!game.ShouldQuit()) {
    gfx.Cls();
    const std::int64_t t0 = game.clock.Millisecs();
    NameEntryControls(game, entry);
    DrawNameEntry(game, entry);
    if (game.rng.RandInt(0, 100) > 90) SpawnFirework(game, 2);
    UpdateParticles(game, 0);
    DrawParticles(game);
    PresentFrame(game);
    CapFrame(game, t0);
    game.input.debounce = std::max(game.input.debounce - 1, 0);
    if (NameEntryConfirmed(game)) break;
  }
  game.input.debounce = 20;

  const int row = InsertScore(game.scores, game.state.score, NameText(game.nameBuffer), entry.timeText,
                              SummaryOfSettings(game), game.state.gameDifficulty, game.state.tableLowScore);
  if (row != kNoHighScoreRow) SaveHighScores(std::string(kHighScoreFileName), game.scores);
  return row;
}

}  // namespace qv
