// "Config.txt": the settings file, read at start-up and on request from the dual-stick screen, written
// at exit and on request.
//
// The file is a run of line pairs, a key line such as "[Grid Style]" and a value line. The settings come
// first, then four port blocks: "[Joy Port]" with the port number, followed by that joystick's 22 pairs.
// A complete file has 139 pairs, 278 lines. Reading is positional and forgiving: keys may come in any
// order, the last occurrence wins, an unknown key is skipped with its value, and a missing or extra line
// shifts every later pair. The exact keys, spellings and checks are the table in config_file.cpp.
#pragma once

#include <string>
#include <string_view>

#include "settings/settings.h"
#include "settings/status_message.h"

namespace qv {

inline constexpr std::string_view kConfigFileName = "Config.txt";

// Applies every recognised pair of the text to settings; what the text does not mention keeps its value.
void ParseConfig(std::string_view text, Settings& settings);

// The complete file for settings, with CR LF line ends.
std::string FormatConfig(const Settings& settings);

// Reads the file into settings. False when it cannot be read (missing included): settings are then
// untouched and the status says "Config load failed."; otherwise "Config file loaded.".
bool LoadConfig(const std::string& path, Settings& settings, StatusMessage& status);

// Replaces the file with settings. False, with no message, when it cannot be written; otherwise the
// status says "Config file saved.".
bool SaveConfig(const std::string& path, const Settings& settings, StatusMessage& status);

}  // namespace qv
