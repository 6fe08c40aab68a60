#include "settings/settings.h"

#include "settings/stick_axis.h"

namespace qv {

std::string_view ControlTypeName(ControlType type) {
  static constexpr std::array<std::string_view, kControlTypeCount> kNames = {
      "Dual Analog", "Mouse", "Keyboard", "Joypad", "Hybrid"};
  const int index = static_cast<int>(type);
  if (index < 0 || index >= kControlTypeCount) return {};
  return kNames[static_cast<std::size_t>(index)];
}

ActiveJoyConfig ApplyUsedPort(const Settings& settings) {
  const bool known = settings.usedPort >= 0 && settings.usedPort < kJoyPortCount;
  const JoyPortConfig& port = settings.joyPorts[known ? static_cast<std::size_t>(settings.usedPort) : 0];
  ActiveJoyConfig active;
  active.moveXAxis = ZeroBasedAxis(port.moveXAxis);
  active.moveYAxis = ZeroBasedAxis(port.moveYAxis);
  active.fireXAxis = ZeroBasedAxis(port.fireXAxis);
  active.fireYAxis = ZeroBasedAxis(port.fireYAxis);
  active.moveXInvert = port.moveXInvert;
  active.moveYInvert = port.moveYInvert;
  active.fireXInvert = port.fireXInvert;
  active.fireYInvert = port.fireYInvert;
  active.moveXScale = port.moveXScale;
  active.moveYScale = port.moveYScale;
  active.fireXScale = port.fireXScale;
  active.fireYScale = port.fireYScale;
  active.moveXCentre = port.moveXCentre;
  active.moveYCentre = port.moveYCentre;
  active.fireXCentre = port.fireXCentre;
  active.fireYCentre = port.fireYCentre;
  active.moveXDeadZone = port.moveXDeadZone;
  active.moveYDeadZone = port.moveYDeadZone;
  active.fireXDeadZone = port.fireXDeadZone;
  active.fireYDeadZone = port.fireYDeadZone;
  active.optionButton = port.optionButton;
  active.bombButton = port.bombButton;
  return active;
}

}  // namespace qv
