// A player for long whole-program runs on the headless devices. After every presented frame it looks at
// what the program drew and at the Game, works out which screen is up, and scripts its input for the
// next frames: it starts games and plays them with every control scheme at once (pad, keys and mouse),
// bombs, opens the in-game menu, ends games, types names into the high-score table, and wanders
// through the options menu, the settings hub and every settings and controller screen with random
// steps. It draws its choices from a generator of its own, so a run with the same seed is the same run.
//
// To follow a run: SOAK_TRACE=1 prints each screen as it comes up, SOAK_TRACE=2 also every key, click
// and pointer move outside play.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "render/vector_font.h"
#include "settings/stick_axis.h"
#include "shell/game.h"

namespace qv::test {

enum class Screen {
  Attract,
  Play,
  Sequence,  // get ready, the death explosion, game over
  NameEntry,
  Options,
  Confirm,
  Hub,
  Audio,
  Video,
  GameSettings,
  Controllers,
  MouseSetup,
  HybridSetup,
  KeyboardSetup,
  JoypadSetup,
  DualStick,
};

inline const char* ScreenName(Screen s) {
  switch (s) {
    case Screen::Attract: return "attract";
    case Screen::Play: return "play";
    case Screen::Sequence: return "sequence";
    case Screen::NameEntry: return "name entry";
    case Screen::Options: return "options";
    case Screen::Confirm: return "confirm";
    case Screen::Hub: return "settings hub";
    case Screen::Audio: return "audio settings";
    case Screen::Video: return "video settings";
    case Screen::GameSettings: return "game settings";
    case Screen::Controllers: return "controller selection";
    case Screen::MouseSetup: return "mouse control";
    case Screen::HybridSetup: return "hybrid control";
    case Screen::KeyboardSetup: return "keyboard control";
    case Screen::JoypadSetup: return "joypad control";
    case Screen::DualStick: return "dual stick";
  }
  return "";
}

// Tells the screens apart by the texts they draw: a menu by its red title, the name entry by its
// greeting, the dual-stick screen by a label in the bitmap font. Texts are matched by shape wherever
// they stand, so the reader works at every screen size.
class ScreenReader {
 public:
  ScreenReader() {
    BuildVectorFont(font_);
    const std::pair<const char*, Screen> titles[] = {
        {"Options", Screen::Options},
        {"Confirm", Screen::Confirm},
        {"End Game?", Screen::Confirm},
        {"Keep Changes?", Screen::Confirm},
        {"Settings", Screen::Hub},
        {"Audio Settings", Screen::Audio},
        {"Video Settings", Screen::Video},
        {"Game Settings", Screen::GameSettings},
        {"Controller Selection", Screen::Controllers},
        {"Mouse Control", Screen::MouseSetup},
        {"Hybrid Control", Screen::HybridSetup},
        {"Keyboard Control", Screen::KeyboardSetup},
        {"Joypad Control", Screen::JoypadSetup},
    };
    for (const auto& [text, screen] : titles) titles_.push_back({text, screen, Strokes(text, 6)});
    greeting_ = Strokes("Congratulations!", 3);
  }

  // The menu or screen the frame shows, when it is one of those; `title` gets a menu's title.
  bool Read(const std::vector<DrawRecord>& frame, Screen& screen, std::string& title) const {
    // A menu's title is the first red text of its frame; the longest title that fits wins ("Settings"
    // is also the end of "Video Settings").
    for (std::size_t i = 0; i < frame.size(); ++i) {
      if (!IsLine(frame[i], 255, 0, 0)) continue;
      const Title* best = nullptr;
      for (const Title& t : titles_)
        if (Matches(frame, i, t.strokes, 255, 0, 0) && (!best || t.strokes.size() > best->strokes.size())) best = &t;
      if (best) {
        screen = best->screen;
        title = best->text;
        return true;
      }
      break;
    }
    for (std::size_t i = 0; i < frame.size(); ++i) {
      if (frame[i].kind == DrawRecord::kText && frame[i].text == "X Scaling Factor") {
        screen = Screen::DualStick;
        return true;
      }
      if (IsLine(frame[i], 255, 255, 255) && Matches(frame, i, greeting_, 255, 255, 255)) {
        screen = Screen::NameEntry;
        return true;
      }
    }
    return false;
  }

 private:
  using StrokeSet = std::vector<std::vector<float>>;
  struct Title {
    std::string text;
    Screen screen;
    StrokeSet strokes;
  };

  StrokeSet Strokes(std::string_view text, float scale) {
    HeadlessPlatform hp;
    std::vector<DrawRecord> records;
    hp.gfx.SetRecorder(&records);
    DrawVectorText(hp.gfx, font_, text, 0, 0, scale);
    StrokeSet strokes;
    for (const DrawRecord& r : records) strokes.push_back(r.points);
    return strokes;
  }

  static bool IsLine(const DrawRecord& r, int red, int green, int blue) {
    return r.kind == DrawRecord::kLine && r.r == red && r.g == green && r.b == blue;
  }

  // The strokes, moved as a whole, are the lines from `start` on.
  static bool Matches(const std::vector<DrawRecord>& frame, std::size_t start, const StrokeSet& strokes, int red,
                      int green, int blue) {
    if (strokes.empty() || start + strokes.size() > frame.size()) return false;
    const float dx = frame[start].points[0] - strokes[0][0];
    const float dy = frame[start].points[1] - strokes[0][1];
    for (std::size_t k = 0; k < strokes.size(); ++k) {
      const DrawRecord& r = frame[start + k];
      if (!IsLine(r, red, green, blue) || r.points.size() != strokes[k].size()) return false;
      for (std::size_t j = 0; j < r.points.size(); ++j)
        if (std::fabs(r.points[j] - strokes[k][j] - (j % 2 == 0 ? dx : dy)) > 0.05f) return false;
    }
    return true;
  }

  VectorFont font_;
  std::vector<Title> titles_;
  StrokeSet greeting_;
};

// What the bot has done, for the test to check and report.
struct BotTally {
  int gamesStarted = 0;
  int gamesOver = 0;             // ended by losing the last ship
  int gamesEndedFromMenu = 0;
  int gamesByDifficulty[kDifficultyCount] = {};
  int namesEntered = 0;
  int bombsTapped = 0;
  int displayChanges = 0;        // the open display changed size or mode
  int programRuns = 0;
  std::vector<int> screenVisits = std::vector<int>(16, 0);
  std::vector<int> controlTypesPlayed = std::vector<int>(kControlTypeCount, 0);
};

class SoakBot {
 public:
  SoakBot(std::uint32_t seed, BotTally& tally) : rng_(seed), tally_(tally) {}

  // A new run of the program over fresh devices; it should leave the program after `frames` frames.
  void StartRun(Game& game, HeadlessPlatform& hp, int frames) {
    game_ = &game;
    hp_ = &hp;
    runFrames_ = frames;
    screen_ = Screen::Attract;
    held_.clear();
    goal_ = Goal::None;
    wait_ = 0;
    lastTicks_ = -1;
    inGame_ = false;
    escapeAt_ = -1000;
    tally_.programRuns += 1;
  }

  // How long the current screen has been up, in frames.
  int framesOnScreen() const { return onScreen_; }
  Screen screen() const { return screen_; }

  // Whether the next frame must be recorded for `Observe` to read it: frames of play are not read.
  bool WantsRecording() const { return screen_ != Screen::Play; }

  // Called after each presented frame with what it drew (empty when it was not recorded).
  void Observe(const std::vector<DrawRecord>& frame) {
    Game& g = *game_;
    now_ = hp_->input.frame();
    const bool started = g.state.startRequested != 0;
    if (started && !inGame_) {
      tally_.gamesStarted += 1;
      gameFrames_ = 0;
      endIntent_ = false;
    }
    if (!started && inGame_) {
      if (g.state.lives == 0) tally_.gamesOver += 1;
      else tally_.gamesEndedFromMenu += 1;
      tally_.gamesByDifficulty[std::clamp(g.state.gameDifficulty, 0, kDifficultyCount - 1)] += 1;
      targetDifficulty_ = (targetDifficulty_ + 1) % kDifficultyCount;
    }
    inGame_ = started;

    Screen seen = Screen::Attract;
    std::string title;
    const bool ticking = g.state.gameTicks != lastTicks_;
    lastTicks_ = g.state.gameTicks;
    if (frame.empty() || !reader_.Read(frame, seen, title)) {
      // Play advances the game clock every frame; get ready, the explosion and game over do not.
      seen = !started ? Screen::Attract : ticking ? Screen::Play : Screen::Sequence;
    }
    if (seen != screen_ || title != title_) {
      previous_ = screen_;
      screen_ = seen;
      title_ = title;
      onScreen_ = 0;
      visitStep_ = 0;
      wait_ = std::max(wait_, 2);
      tally_.screenVisits[static_cast<std::size_t>(seen)] += 1;
      if (std::getenv("SOAK_TRACE")) std::fprintf(stderr, "%d %s %s\n", now_, ScreenName(seen), title.c_str());
      OnEnter();
    }
    ++onScreen_;
    if (screen_ != Screen::Play) ReleaseAll();
    if (screen_ == Screen::Play) {
      ++gameFrames_;
      tally_.controlTypesPlayed[static_cast<std::size_t>(g.settings.controlType)] += 1;
      Play();
      return;
    }
    // A screen that will not let go: try every way out there is.
    if (onScreen_ >= 4000 && onScreen_ % 500 == 0) {
      Tap(kKeyEscape);
      Tap('E', 3);
      Tap(kKeyEnter, 5);
    }
    if (wait_ > 0) {
      --wait_;
      return;
    }
    Act();
  }

 private:
  enum class Goal { None, Tour, SetDifficulty, Exit };

  // Random helpers.
  int Rand(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }

  // Input for the next polls.
  static bool Tracing() { return std::getenv("SOAK_TRACE") && std::getenv("SOAK_TRACE")[0] == '2'; }
  void Tap(int key, int delay = 1) {
    if (Tracing() && screen_ != Screen::Play) std::fprintf(stderr, "  %d tap %d\n", now_ + delay, key);
    hp_->input.TapKey(now_ + delay, key);
  }
  void MouseTo(int x, int y, int delay = 1) {
    if (Tracing() && screen_ != Screen::Play) std::fprintf(stderr, "  %d mouse %d %d\n", now_ + delay, x, y);
    hp_->input.At({HeadlessInput::Event::kMouseMove, now_ + delay, x, y, 0});
  }
  void Click(int button, int delay = 1) {
    if (Tracing() && screen_ != Screen::Play) std::fprintf(stderr, "  %d click %d\n", now_ + delay, button);
    hp_->input.ClickMouse(now_ + delay, button);
  }
  void SetAxis(int port, int slot, float v) { hp_->input.SetJoyAxis(now_ + 1, port, slot, v); }
  void KeyDown(int key) {
    if (std::find(held_.begin(), held_.end(), key) != held_.end()) return;
    held_.push_back(key);
    hp_->input.At({HeadlessInput::Event::kKeyDown, now_ + 1, key, 0, 0});
  }
  void ReleaseAll() {
    for (int key : held_) hp_->input.At({HeadlessInput::Event::kKeyUp, now_ + 1, key, 0, 0});
    held_.clear();
    if (mouseHeld_ > 0) hp_->input.At({HeadlessInput::Event::kMouseUp, now_ + 1, mouseHeld_, 0, 0});
    mouseHeld_ = 0;
    if (sticksSet_) {
      for (int port = 0; port < kJoyPorts; ++port)
        for (int slot = 0; slot < kJoyAxes; ++slot) SetAxis(port, slot, 0);
      sticksSet_ = false;
    }
  }

  int cx() const { return game_->view.viewWidth / 2; }
  int cy() const { return game_->view.viewHeight / 2; }
  // Hovers over the menu row whose text starts at `rowY`, then chooses it with a left click.
  void HoverRow(int rowY, int delay = 1) { MouseTo(cx(), rowY + 10, delay); }
  void ClickRow(int rowY) {
    HoverRow(rowY);
    Click(1, 3);
    wait_ = 6;
  }

  void OnEnter() {
    switch (screen_) {
      case Screen::Hub:
        if (previous_ == Screen::Options) hubVisits_ = goal_ == Goal::SetDifficulty ? 1 : Rand(1, 3);
        break;
      case Screen::Controllers:
        if (previous_ == Screen::Hub) configured_ = false;
        break;
      case Screen::Video:
        if (previous_ == Screen::Hub) PlanDisplayChange();
        break;
      default:
        break;
    }
    stepsLeft_ = Rand(2, 14);
  }

  void Act() {
    Game& g = *game_;
    switch (screen_) {
      case Screen::Attract: Attract(); break;
      case Screen::Sequence:
        if (Chance(0.01)) Tap(g.settings.keyBomb);
        wait_ = 10;
        break;
      case Screen::NameEntry: NameEntry(); break;
      case Screen::Options: Options(); break;
      case Screen::Confirm: Confirm(); break;
      case Screen::Hub: Hub(); break;
      case Screen::Audio:
      case Screen::Video:
      case Screen::GameSettings: ValueScreen(); break;
      case Screen::Controllers: Controllers(); break;
      case Screen::MouseSetup:
      case Screen::HybridSetup:
      case Screen::JoypadSetup: SetupScreen(); break;
      case Screen::KeyboardSetup: KeyboardSetup(); break;
      case Screen::DualStick: DualStick(); break;
      case Screen::Play: break;
    }
  }

  void Attract() {
    Game& g = *game_;
    if (goal_ != Goal::None) {  // back from the menu
      goal_ = Goal::None;
    }
    if (onScreen_ < attractWait_) return;
    attractWait_ = Rand(10, 250);
    if (now_ > runFrames_) {
      goal_ = Goal::Exit;
      Tap(kKeyEscape);
    } else if (g.settings.difficulty != targetDifficulty_) {
      goal_ = Goal::SetDifficulty;
      Tap(kKeyEscape);
    } else if (Chance(0.3)) {
      goal_ = Goal::Tour;
      Tap(kKeyEscape);
    } else if (Chance(0.8)) {
      Tap(g.settings.keyBomb);
    } else {
      Click(g.settings.mouseBombButton);
    }
    wait_ = 8;
    onScreen_ = 0;
  }

  void NameEntry() {
    if (visitStep_ == 0) {
      for (int i = 0, n = Rand(1, 8); i < n; ++i) Tap('A' + Rand(0, 25), 2 + 3 * i);
      visitStep_ = 1;
      wait_ = 30;
    } else {
      Tap(kKeyEnter);
      wait_ = 10;
      tally_.namesEntered += visitStep_ == 1 ? 1 : 0;
      visitStep_ = 2;
    }
  }

  void Options() {
    Game& g = *game_;
    const bool playing = g.state.startRequested != 0;
    const int exitRow = cy() - 40, settingsRow = cy(), endRow = cy() + 40;
    if (playing) {
      if (previous_ == Screen::Play || previous_ == Screen::Sequence) {
        if (endIntent_) {
          ClickRow(endRow);
        } else if (Chance(0.3)) {
          goal_ = Goal::Tour;
          ClickRow(settingsRow);
        } else if (Chance(0.3)) {
          endIntent_ = Chance(0.5);
          ClickRow(endRow);
        } else {
          Tap(Chance(0.5) ? kKeyEscape : kKeyLeft);
          wait_ = 6;
        }
        previous_ = Screen::Options;
      } else {
        goal_ = Goal::None;
        Tap(kKeyEscape);
        wait_ = 6;
      }
      return;
    }
    if (goal_ == Goal::Exit) {
      ClickRow(exitRow);
    } else if ((goal_ == Goal::Tour || goal_ == Goal::SetDifficulty) && previous_ != Screen::Hub) {
      ClickRow(settingsRow);
    } else {
      goal_ = Goal::None;
      Tap(Chance(0.5) ? kKeyEscape : kKeyLeft);
      wait_ = 6;
    }
  }

  void Confirm() {
    bool yes = false;
    if (title_ == "End Game?") yes = endIntent_;
    else if (title_ == "Keep Changes?") yes = goal_ == Goal::SetDifficulty || Chance(0.7);
    if (Chance(0.5)) {
      ClickRow(yes ? cy() : cy() + 40);
    } else {
      // "No" is selected on entry: one step up is "Yes".
      if (yes && visitStep_ == 0) Tap(kKeyUp);
      Tap(kKeyEnter, 4);
      wait_ = 8;
    }
    ++visitStep_;
  }

  void Hub() {
    const int rows[] = {cy() - 40, cy(), cy() + 40, cy() + 80, cy() + 120};
    if (hubVisits_ > 0) {
      --hubVisits_;
      ClickRow(rows[goal_ == Goal::SetDifficulty ? 3 : Rand(0, 3)]);
    } else if (Chance(0.5)) {
      ClickRow(rows[4]);
    } else {
      Tap(kKeyEscape);
      wait_ = 6;
    }
  }

  // The row tops of the value screens.
  int ValueRowY(int row) const {
    switch (screen_) {
      case Screen::Audio: return cy() + 40 * row;
      case Screen::GameSettings: return cy() - 80 + 40 * row;
      default: {
        const int p = game_->view.viewHeight <= 480 ? 32 : 40;
        return cy() + (row - 4) * p;
      }
    }
  }
  int ValueRows() const {
    switch (screen_) {
      case Screen::Audio: return 2;
      case Screen::GameSettings: return 5;
      default: return 10;
    }
  }

  void ValueScreen() {
    Game& g = *game_;
    if (g.input.debounce > 0) return;  // value steps wait for it
    if (screen_ == Screen::GameSettings && goal_ == Goal::SetDifficulty) {
      if (g.settings.difficulty == targetDifficulty_) {
        Tap(kKeyEscape);
        wait_ = 6;
        return;
      }
      HoverRow(ValueRowY(0));
      Tap(g.settings.difficulty < targetDifficulty_ ? kKeyRight : kKeyLeft, 3);
      wait_ = 5;
      return;
    }
    if (screen_ == Screen::Video && sizeRow_ != 0) {
      // Step the screen or playfield size to the planned entry.
      const int current = sizeRow_ == 1 ? g.display.modeIndex : g.display.playfieldIndex;
      if (current == sizeTarget_) {
        sizeRow_ = 0;
        if (toWindow_) {
          // Most sizes open only in a window on this desktop.
          toWindow_ = false;
          HoverRow(ValueRowY(4));
          Tap(kKeyRight, 3);
          wait_ = 4;
          return;
        }
      } else {
        HoverRow(ValueRowY(sizeRow_));
        Tap(current < sizeTarget_ ? kKeyRight : kKeyLeft, 3);
        wait_ = 4;
        return;
      }
    }
    if (stepsLeft_-- <= 0) {
      Tap(kKeyEscape);
      wait_ = 6;
      return;
    }
    int row = Rand(0, ValueRows() - 1);
    // The sizes change only by plan (above); stepped at random they would soon reach the largest.
    if (screen_ == Screen::Video && (row == 1 || row == 2)) row = 5 + Rand(0, 4);
    if (Chance(0.2)) {
      Tap(Chance(0.5) ? kKeyUp : kKeyDown);
    } else {
      HoverRow(ValueRowY(row));
    }
    const int how = Rand(0, 9);
    if (how < 5) {
      Tap(Chance(0.5) ? kKeyLeft : kKeyRight, 3);
    } else if (how < 7) {
      Click(Chance(0.5) ? 1 : 2, 3);
    } else {
      const int key = Chance(0.5) ? kKeyLeft : kKeyRight;
      hp_->input.HoldKey(now_ + 3, key, now_ + 3 + Rand(5, 60));
      wait_ = 65;
      return;
    }
    wait_ = Rand(3, 8);
  }

  // Now and then the video screen is to change the screen size or the playfield size: to a size the
  // pretend desktop shows in a window, or now and then to any size, which may fail and be reverted.
  // Playfields stay at most 1600 x 1200, as the lattice's cost grows with them.
  void PlanDisplayChange() {
    const DisplayTables& d = game_->display;
    sizeRow_ = 0;
    int plan = Rand(0, 9);  // 0, 1: the screen size; 2 to 4: the playfield size; else neither
    // A playfield grown beyond the plan (a random step on its row) is brought back next time.
    if (game_->view.fieldWidth > 1600 || game_->view.fieldHeight > 1200) plan = 2;
    if (plan >= 5) return;
    std::vector<int> candidates;
    for (int i = 1; i <= kLastModeIndex; ++i) {
      const int w = plan <= 1 ? d.modeTable[static_cast<std::size_t>(i)].width : d.playfieldSizes[static_cast<std::size_t>(i)].width;
      const int h = plan <= 1 ? d.modeTable[static_cast<std::size_t>(i)].height : d.playfieldSizes[static_cast<std::size_t>(i)].height;
      if ((w <= 1600 && h <= 1200) || (plan == 1 && Chance(0.3))) candidates.push_back(i);
    }
    if (candidates.empty()) return;
    sizeRow_ = plan <= 1 ? 1 : 2;
    toWindow_ = plan <= 1 && !game_->settings.windowed && Chance(0.7);
    sizeTarget_ = candidates[static_cast<std::size_t>(Rand(0, static_cast<int>(candidates.size()) - 1))];
  }

  void Controllers() {
    const int typeRow = cy(), configureRow = cy() + 40, doneRow = cy() + 80;
    if (!configured_ && stepsLeft_ > 0 && Chance(0.5)) {
      HoverRow(typeRow);
      Tap(Chance(0.7) ? kKeyRight : kKeyLeft, 3);
      stepsLeft_ -= 1;
      wait_ = 6;
    } else if (!configured_ && Chance(0.8)) {
      configured_ = true;
      HoverRow(configureRow);
      Tap(kKeyEnter, 3);
      wait_ = 8;
    } else {
      HoverRow(doneRow);
      Tap(kKeyEnter, 3);
      wait_ = 8;
    }
  }

  // The mouse, hybrid and joypad set-up screens: random rows stepped, then Escape.
  void SetupScreen() {
    if (stepsLeft_-- <= 0) {
      Tap(kKeyEscape);
      wait_ = 6;
      return;
    }
    const int rows = screen_ == Screen::HybridSetup ? 4 : 3;
    const int top = screen_ == Screen::JoypadSetup ? cy() - 80 : cy() - 40;
    HoverRow(top + 40 * Rand(0, rows - 1));
    if (screen_ == Screen::JoypadSetup && Chance(0.3)) hp_->input.PressJoy(now_ + 2, game_->settings.usedPort, Rand(0, 15), now_ + 4);
    Tap(Chance(0.5) ? kKeyLeft : kKeyRight, 3);
    wait_ = Rand(4, 24);
  }

  void KeyboardSetup() {
    const int p = game_->view.viewHeight < 600 ? 32 : 40;
    if (stepsLeft_-- <= 0) {
      HoverRow(cy() + 5 * p);
      Tap(kKeyEnter, 3);
      wait_ = 8;
      return;
    }
    // Choose a binding, then press a letter to bind to it.
    HoverRow(cy() + (Rand(0, 8) - 4) * p);
    Tap(kKeyEnter, 3);
    Tap('A' + Rand(0, 25), 7);
    wait_ = 12;
  }

  void DualStick() {
    Game& g = *game_;
    if (stepsLeft_-- <= 0) {
      Tap(kKeyEscape);
      Tap('E', 3);
      wait_ = 8;
      return;
    }
    const int ox = (g.view.viewWidth - 640) / 2, oy = (g.view.viewHeight - 480) / 2;
    switch (Rand(0, 7)) {
      case 0:
      case 1:
      case 2:
        MouseTo(ox + Rand(0, 640), oy + Rand(0, 500));
        Click(Chance(0.7) ? 1 : 2, 3);
        break;
      case 3: Tap('1' + Rand(0, 3)); break;
      case 4: Tap(Chance(0.5) ? 'S' : 'L'); break;
      case 5: {
        // A stick moved far enough for the axis wizard to notice it.
        const int port = g.settings.usedPort, slot = Rand(0, 15);
        hp_->input.SetJoyAxis(now_ + 1, port, slot, 0.7f);
        hp_->input.SetJoyAxis(now_ + 10, port, slot, 0);
        break;
      }
      case 6: Tap(kKeyEscape); break;
      default: hp_->input.HoldKey(now_ + 1, Rand(37, 40), now_ + Rand(2, 20)); break;
    }
    wait_ = Rand(3, 20);
  }

  // One frame of play: a wandering move direction and a turning aim, given to every scheme at once.
  void Play() {
    Game& g = *game_;
    const Settings& s = g.settings;
    if (gameFrames_ > 15000) endIntent_ = true;
    if (gameFrames_ % 40 == 1) moveAngle_ += Rand(-120, 120);
    fireAngle_ += 6;
    const double kDeg = 3.14159265358979 / 180;
    const float mx = static_cast<float>(std::cos(moveAngle_ * kDeg)), my = static_cast<float>(std::sin(moveAngle_ * kDeg));
    const float fx = static_cast<float>(std::cos(fireAngle_ * kDeg)), fy = static_cast<float>(std::sin(fireAngle_ * kDeg));

    // The pad: each value put on the slot the port's record reads it from, undoing scale, inversion
    // and centre.
    hp_->input.SetJoyCount(1);
    const ActiveJoyConfig& j = g.activeJoy;
    const auto put = [&](int axis, float scale, int invert, float centre, float v) {
      const int slot = AxisSlot(axis);
      if (slot >= 0) SetAxis(s.usedPort, slot, (v + centre) * scale * static_cast<float>(invert));
    };
    put(j.moveXAxis, j.moveXScale, j.moveXInvert, j.moveXCentre, 0.8f * mx);
    put(j.moveYAxis, j.moveYScale, j.moveYInvert, j.moveYCentre, 0.8f * my);
    put(j.fireXAxis, j.fireXScale, j.fireXInvert, j.fireXCentre, fx);
    put(j.fireYAxis, j.fireYScale, j.fireYInvert, j.fireYCentre, fy);
    sticksSet_ = true;

    // The keys: the move and fire bindings toward the same directions, released when they turn away.
    const auto wantKey = [&](int key, bool want) {
      const auto it = std::find(held_.begin(), held_.end(), key);
      if (want && it == held_.end()) KeyDown(key);
      if (!want && it != held_.end()) {
        hp_->input.At({HeadlessInput::Event::kKeyUp, now_ + 1, key, 0, 0});
        held_.erase(it);
      }
    };
    const int keys[] = {s.keyMoveLeft, s.keyMoveRight, s.keyMoveUp, s.keyMoveDown,
                        s.keyFireLeft, s.keyFireRight, s.keyFireUp, s.keyFireDown};
    const bool wants[] = {mx < -0.4f, mx > 0.4f, my < -0.4f, my > 0.4f, fx < -0.4f, fx > 0.4f, fy < -0.4f, fy > 0.4f};
    // A key bound twice is wanted when either binding wants it.
    for (int k = 0; k < 8; ++k) {
      bool want = false;
      for (int m = 0; m < 8; ++m) want = want || (keys[m] == keys[k] && wants[m]);
      if (keys[k] != s.keyBomb && keys[k] != kKeyEscape) wantKey(keys[k], want);
    }

    // The mouse: around the screen centre in the aim direction, fire button held.
    MouseTo(cx() + static_cast<int>(150 * fx), cy() + static_cast<int>(150 * fy));
    if (mouseHeld_ == 0 && s.mouseFireButton >= 1 && s.mouseFireButton <= 3 && s.mouseFireButton != s.mouseBombButton) {
      mouseHeld_ = s.mouseFireButton;
      hp_->input.At({HeadlessInput::Event::kMouseDown, now_ + 1, mouseHeld_, 0, 0});
    }

    if (Chance(1.0 / 700)) {
      tally_.bombsTapped += 1;
      Tap(s.keyBomb);
    }
    // The menu: one Escape, then the frames are read again until the menu shows.
    if ((endIntent_ || Chance(1.0 / 1500)) && now_ - escapeAt_ > 60) {
      escapeAt_ = now_;
      Tap(kKeyEscape);
      screen_ = Screen::Sequence;
    }
  }

  std::mt19937 rng_;
  BotTally& tally_;
  ScreenReader reader_;
  Game* game_ = nullptr;
  HeadlessPlatform* hp_ = nullptr;
  int runFrames_ = 0;
  int now_ = 0;
  Screen screen_ = Screen::Attract;
  Screen previous_ = Screen::Attract;
  std::string title_;
  int onScreen_ = 0;
  int visitStep_ = 0;
  int wait_ = 0;
  int stepsLeft_ = 0;
  int attractWait_ = 60;
  int hubVisits_ = 0;
  bool configured_ = false;
  int sizeRow_ = 0;     // 1 screen size, 2 playfield size: the video row to step to sizeTarget_
  int sizeTarget_ = 0;
  bool toWindow_ = false;
  Goal goal_ = Goal::None;
  int targetDifficulty_ = 1;
  bool inGame_ = false;
  int lastTicks_ = -1;
  int gameFrames_ = 0;
  bool endIntent_ = false;
  int escapeAt_ = -1000;
  std::vector<int> held_;
  int mouseHeld_ = 0;
  bool sticksSet_ = false;
  int moveAngle_ = 0;
  int fireAngle_ = 0;
};

}  // namespace qv::test
