#include "settings/value_screens.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "shell/game.h"

namespace qv {

namespace {

constexpr float kValueScreenBackdrop = 0.7f;

}  // namespace

int StepValue(int value, int dx, const IntStep& rule) {
  // Wide arithmetic: a value read from a file may sit at the edge of the int range.
  const std::int64_t v = static_cast<std::int64_t>(value) + static_cast<std::int64_t>(dx) * rule.step;
  if (v < rule.low) return rule.end == StepEnd::Wrap ? rule.high : rule.low;
  if (v > rule.high) return rule.end == StepEnd::Wrap ? rule.low : rule.high;
  return static_cast<int>(v);
}

float StepValue(float value, int dx, const RealStep& rule) {
  float v = value + static_cast<float>(dx) * rule.step;
  if (rule.grain > 0) v = static_cast<float>(std::round(static_cast<double>(v) * rule.grain) / rule.grain);
  v = std::clamp(v, rule.low, rule.high);
  return v + 0.0f;  // never -0
}

const char* OffOn(bool on) { return on ? "On" : "Off"; }

ValueScreen MakeValueScreen(std::string title, int titleY, const std::vector<int>& rowY,
                            bool withBackdrop, std::vector<int> chooseKeys, int joyDebounce) {
  ValueScreen screen;
  MenuList& menu = screen.menu;
  menu.title = std::move(title);
  menu.titleY = titleY;
  for (const int y : rowY) menu.rows.push_back({"", y});
  if (!menu.rows.empty()) menu.rows.back().text = "Done";
  menu.backdropScale = withBackdrop ? kValueScreenBackdrop : 0;
  menu.chooseKeys = std::move(chooseKeys);
  menu.chooseLeftClick = false;  // the mouse buttons step values
  menu.leaveKeys = {kKeyEscape};
  menu.leaveRow = static_cast<int>(menu.rows.size()) - 1;
  menu.leaveDebounce = 20;
  menu.joyDebounce = joyDebounce;
  return screen;
}

void RunValueScreen(Game& game, ValueScreen& screen) {
  MenuList& menu = screen.menu;
  const int done = static_cast<int>(menu.rows.size()) - 1;
  if (done < 0) return;
  EnterMenu(game, menu, done);
  while (!game.ShouldQuit()) {
    for (int k = 0; k < done; ++k) menu.rows[static_cast<std::size_t>(k)].text = screen.rowText(k);
    DrawMenuFrame(game, menu);
    MenuVerticalStep(game, menu);

    bool leave = false;
    const int dx = MenuHorizontalStep(game, menu, SideControls::Held);
    if (dx != 0) {
      if (menu.selected == done)
        leave = true;
      else if (menu.selected >= 0 && menu.selected < done)
        screen.step(menu.selected, dx);
    }

    if (MenuChoice(game, menu) && (menu.selected == done || screen.choiceEnds(menu.selected))) leave = true;
    if (leave) break;
    menu.age += 8;
  }
  LeaveMenu(game);
}

void DrawOutline(Game& game, float x, float y, float w, float h) {
  Graphics& gfx = game.gfx;
  gfx.Rect(x, y, w, 1);
  gfx.Rect(x, y + h - 1, w, 1);
  gfx.Rect(x, y + 1, 1, h - 2);
  gfx.Rect(x + w - 1, y + 1, 1, h - 2);
}

}  // namespace qv
