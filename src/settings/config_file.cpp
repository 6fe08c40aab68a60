#include "settings/config_file.h"

#include <array>
#include <cstdint>
#include <limits>
#include <optional>

#include "platform/text_file.h"
#include "settings/text_values.h"

namespace qv {
namespace {

// How a value is spelt in the file.
enum class Kind : std::uint8_t {
  Flag,        // "True" or "False"; "true" in any letter case sets it, anything else clears it
  Control,     // a control scheme by display name, in any letter case; an unknown name changes nothing
  Integer,     // decimal
  Real,        // "%#.9g"
  Hundredths,  // a real written as whole hundredths (truncated), read as a real divided by 100
  Invert,      // +1 or -1; anything else reads as +1
  Divisor,     // a real written and read as a whole number; 0 reads as 1
};

// What a value read outside [low, high] turns into.
enum class OutOfRange : std::uint8_t { Store, Zero, Clamp, KeepPrevious };

struct Range {
  double low = 0.0;
  double high = 0.0;
  OutOfRange rule = OutOfRange::Store;
};

constexpr double kNoLimit = std::numeric_limits<double>::infinity();

// One key of the file and the field it fills. Exactly one of the field pointers is set, the one the
// kind reads and writes.
template <class Record>
struct FieldRule {
  std::string_view key;
  Kind kind;
  bool Record::*flag = nullptr;
  ControlType Record::*control = nullptr;
  int Record::*integer = nullptr;
  float Record::*real = nullptr;
  Range range{};
};

template <class R>
constexpr FieldRule<R> Flag(std::string_view key, bool R::*field) {
  return {.key = key, .kind = Kind::Flag, .flag = field};
}
template <class R>
constexpr FieldRule<R> Control(std::string_view key, ControlType R::*field) {
  return {.key = key, .kind = Kind::Control, .control = field};
}
template <class R>
constexpr FieldRule<R> Int(std::string_view key, int R::*field, Range range = {}) {
  return {.key = key, .kind = Kind::Integer, .integer = field, .range = range};
}
template <class R>
constexpr FieldRule<R> Invert(std::string_view key, int R::*field) {
  return {.key = key, .kind = Kind::Invert, .integer = field};
}
template <class R>
constexpr FieldRule<R> Real(std::string_view key, float R::*field, Range range = {}) {
  return {.key = key, .kind = Kind::Real, .real = field, .range = range};
}
template <class R>
constexpr FieldRule<R> Hundredths(std::string_view key, float R::*field) {
  return {.key = key, .kind = Kind::Hundredths, .real = field};
}
template <class R>
constexpr FieldRule<R> Divisor(std::string_view key, float R::*field) {
  return {.key = key, .kind = Kind::Divisor, .real = field};
}

// Key codes, button numbers, counts and sizes are kept as read: the input layer answers "not down" for
// a code it does not know, and each user of a count or size bounds what it indexes with.
using S = Settings;
constexpr std::array kSettingsFields = {
    Flag("[Windowed]", &S::windowed),
    Control("[Control Type]", &S::controlType),
    Int("[Hybrid Config]", &S::hybridMode),
    Int("[Joypad Config]", &S::joypadMode),
    Int("[Joypad Left]", &S::joypadLeftButton),
    Int("[Joypad Up]", &S::joypadUpButton),
    Int("[Joypad Right]", &S::joypadRightButton),
    Int("[Joypad Down]", &S::joypadDownButton),
    Int("[Joypad Option]", &S::joypadOptionButton),
    Int("[Joypad Bomb]", &S::joypadBombButton),
    Int("[Autofire]", &S::autofire),
    Int("[Key Bomb]", &S::keyBomb),
    Int("[Key Move Left]", &S::keyMoveLeft),
    Int("[Key Move Right]", &S::keyMoveRight),
    Int("[Key Move Up]", &S::keyMoveUp),
    Int("[Key Move Down]", &S::keyMoveDown),
    Int("[Key Fire Left]", &S::keyFireLeft),
    Int("[Key Fire Right]", &S::keyFireRight),
    Int("[Key Fire Up]", &S::keyFireUp),
    Int("[Key Fire Down]", &S::keyFireDown),
    Hundredths("[SFX Volume]", &S::sfxVolume),
    Hundredths("[Music Volume]", &S::musicVolume),
    Int("[Grid Style]", &S::gridStyle),
    Int("[Grid Red]", &S::gridRed),
    Int("[Grid Green]", &S::gridGreen),
    Int("[Grid Blue]", &S::gridBlue),
    Hundredths("[Grid Opacity]", &S::gridOpacity),
    Int("[Grid Spacing]", &S::gridSpacing),
    // The grid is either full or not: anything but 0 or 1 means not.
    Int("[Full Grid]", &S::fullGrid, {0, 1, OutOfRange::Zero}),
    // The settings screen offers Solid, Low, Med, High and User (4); a saved User set must come back as
    // the player left it, and any other number falls back to Solid.
    Int("[Gfx Set]", &S::gfxSet, {0, 4, OutOfRange::Zero}),
    Int("[Show Stars]", &S::starCount),
    Int("[Scroll]", &S::scroll),
    Int("[Playfield Width]", &S::playfieldWidth),
    Int("[Playfield Height]", &S::playfieldHeight),
    Int("[Screen Width]", &S::screenWidth),
    Int("[Screen Height]", &S::screenHeight),
    // The particle pool holds at most 50000 sparks, and no spark lives longer than 500 frames.
    Int("[Particle Count]", &S::particleCount, {-kNoLimit, 50000, OutOfRange::Clamp}),
    Int("[Particle Life]", &S::particleLife, {-kNoLimit, 500, OutOfRange::Clamp}),
    Int("[Particle Gravity]", &S::particleGravity),
    // Sparks must fade a little every frame, and not vanish at once.
    Real("[Particle Decay]", &S::particleDecay, {0.01f, 0.9999f, OutOfRange::Clamp}),
    Int("[Particle Style]", &S::particleStyle),
    Hundredths("[Mouse Sensitivity]", &S::mouseSensitivity),
    Int("[Mouse Fire]", &S::mouseFireButton),
    Int("[Mouse Bomb]", &S::mouseBombButton),
    // A difficulty the game does not have keeps the one already chosen (it picks a high-score column).
    Int("[Difficulty]", &S::difficulty, {0, kDifficultyCount - 1, OutOfRange::KeepPrevious}),
    Hundredths("[Inertia]", &S::inertia),
    // A port no joystick can sit in keeps the port already chosen.
    Int("[Used Port]", &S::usedPort, {0, kJoyPortCount - 1, OutOfRange::KeepPrevious}),
};

// Centres and dead zones are fractions of a stick's travel: anything beyond a full deflection is 0.
constexpr Range kStickFraction{-1.0, 1.0, OutOfRange::Zero};

// The 22 pairs that follow "[Joy Port]", in the order they are written.
using J = JoyPortConfig;
constexpr std::array kPortFields = {
    Int("[Joy Move X]", &J::moveXAxis),
    Int("[Joy Move Y]", &J::moveYAxis),
    Int("[Joy Fire X]", &J::fireXAxis),
    Int("[Joy Fire Y]", &J::fireYAxis),
    Invert("[Joy Move X Inverted]", &J::moveXInvert),
    Invert("[Joy Move Y Inverted]", &J::moveYInvert),
    Invert("[Joy Fire X Inverted]", &J::fireXInvert),
    Invert("[Joy Fire Y Inverted]", &J::fireYInvert),
    Divisor("[Joy Move X Scale]", &J::moveXScale),
    Divisor("[Joy Move Y Scale]", &J::moveYScale),
    Divisor("[Joy Fire X Scale]", &J::fireXScale),
    Divisor("[Joy Fire Y Scale]", &J::fireYScale),
    Real("[Joy Move X Center]", &J::moveXCentre, kStickFraction),
    Real("[Joy Move Y Center]", &J::moveYCentre, kStickFraction),
    Real("[Joy Fire X Center]", &J::fireXCentre, kStickFraction),
    Real("[Joy Fire Y Center]", &J::fireYCentre, kStickFraction),
    Real("[Joy Move X Dead Zone]", &J::moveXDeadZone, kStickFraction),
    Real("[Joy Move Y Dead Zone]", &J::moveYDeadZone, kStickFraction),
    Real("[Joy Fire X Dead Zone]", &J::fireXDeadZone, kStickFraction),
    Real("[Joy Fire Y Dead Zone]", &J::fireYDeadZone, kStickFraction),
    Int("[Joy Option]", &J::optionButton),
    Int("[Joy Bomb]", &J::bombButton),
};

constexpr std::string_view kJoyPortKey = "[Joy Port]";

template <class T>
void StoreChecked(T& field, T value, const Range& range) {
  const double v = static_cast<double>(value);
  if (range.rule == OutOfRange::Store || (v >= range.low && v <= range.high)) {
    field = value;
    return;
  }
  switch (range.rule) {
    case OutOfRange::Zero: field = T{}; break;
    case OutOfRange::Clamp: field = static_cast<T>(v < range.low ? range.low : range.high); break;
    case OutOfRange::KeepPrevious:
    case OutOfRange::Store: break;
  }
}

std::optional<ControlType> ControlTypeFromName(std::string_view text) {
  const std::string wanted = UpperCase(text);
  for (int i = 0; i < kControlTypeCount; ++i) {
    const auto type = static_cast<ControlType>(i);
    if (UpperCase(ControlTypeName(type)) == wanted) return type;
  }
  return std::nullopt;
}

template <class R, std::size_t N>
const FieldRule<R>* FindField(const std::array<FieldRule<R>, N>& fields, std::string_view key) {
  for (const FieldRule<R>& field : fields) {
    if (field.key == key) return &field;
  }
  return nullptr;
}

template <class R>
void ReadField(const FieldRule<R>& field, std::string_view text, R& record) {
  switch (field.kind) {
    case Kind::Flag: record.*field.flag = UpperCase(text) == "TRUE"; break;
    case Kind::Control:
      if (const std::optional<ControlType> type = ControlTypeFromName(text)) record.*field.control = *type;
      break;
    case Kind::Integer: StoreChecked(record.*field.integer, ParseLenientInt(text), field.range); break;
    case Kind::Real: StoreChecked(record.*field.real, ParseReal(text), field.range); break;
    case Kind::Hundredths: record.*field.real = ParseReal(text) / 100.0f; break;
    case Kind::Invert: {
      const int invert = ParseLenientInt(text);
      record.*field.integer = invert == -1 ? -1 : 1;
      break;
    }
    case Kind::Divisor: {
      const int divisor = ParseLenientInt(text);
      record.*field.real = divisor == 0 ? 1.0f : static_cast<float>(divisor);
      break;
    }
  }
}

template <class R>
std::string WriteField(const FieldRule<R>& field, const R& record) {
  switch (field.kind) {
    case Kind::Flag: return record.*field.flag ? "True" : "False";
    case Kind::Control: return std::string(ControlTypeName(record.*field.control));
    case Kind::Integer:
    case Kind::Invert: return std::to_string(record.*field.integer);
    case Kind::Real: return FormatReal(record.*field.real);
    case Kind::Hundredths: return std::to_string(ToHundredths(record.*field.real));
    case Kind::Divisor: return std::to_string(TruncateToInt(record.*field.real));
  }
  return {};
}

// Reads the 22 pairs after a "[Joy Port]" line, whatever they hold: the block has a fixed length and
// does not stop at the end of the file (missing lines read as empty values).
void ReadPortBlock(LineReader& in, std::string_view portText, Settings& settings) {
  const int port = ParseLenientInt(portText);
  // A port number outside 0..3 names no joystick: its pairs are still consumed, so the pairs after the
  // block stay in step, but nothing is stored.
  JoyPortConfig* record =
      port >= 0 && port < kJoyPortCount ? &settings.joyPorts[static_cast<std::size_t>(port)] : nullptr;
  for (std::size_t i = 0; i < kPortFields.size(); ++i) {
    const std::string key = in.Next();
    const std::string value = in.Next();
    if (record == nullptr) continue;
    if (const FieldRule<JoyPortConfig>* field = FindField(kPortFields, key)) ReadField(*field, value, *record);
  }
}

}  // namespace

void ParseConfig(std::string_view text, Settings& settings) {
  LineReader in(text);
  while (!in.AtEnd()) {
    const std::string key = in.Next();
    const std::string value = in.Next();
    if (key == kJoyPortKey) {
      ReadPortBlock(in, value, settings);
    } else if (const FieldRule<Settings>* field = FindField(kSettingsFields, key)) {
      ReadField(*field, value, settings);
    }
  }
}

std::string FormatConfig(const Settings& settings) {
  LineWriter out;
  for (const FieldRule<Settings>& field : kSettingsFields) {
    out.Line(field.key);
    out.Line(WriteField(field, settings));
  }
  for (int port = 0; port < kJoyPortCount; ++port) {
    out.Line(kJoyPortKey);
    out.Line(port);
    const JoyPortConfig& record = settings.joyPorts[static_cast<std::size_t>(port)];
    for (const FieldRule<JoyPortConfig>& field : kPortFields) {
      out.Line(field.key);
      out.Line(WriteField(field, record));
    }
  }
  return out.Text();
}

bool LoadConfig(const std::string& path, Settings& settings, StatusMessage& status) {
  const std::optional<std::string> text = ReadFileBytes(path);
  if (!text) {
    status.Show("Config load failed.");
    return false;
  }
  ParseConfig(*text, settings);
  status.Show("Config file loaded.");
  return true;
}

bool SaveConfig(const std::string& path, const Settings& settings, StatusMessage& status) {
  if (!WriteFileAtomic(path, FormatConfig(settings))) return false;
  status.Show("Config file saved.");
  return true;
}

}  // namespace qv
