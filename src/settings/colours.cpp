#include "settings/colours.h"

#include <optional>

#include "platform/text_file.h"
#include "settings/text_values.h"

namespace qv {

void ParseColours(std::string_view text, ColourTable& table) {
  LineReader in(text);
  for (Rgb& colour : table.colours) {
    in.Next();  // the entry's name: only a label, so a renamed or misspelt entry still loads
    colour.red = ParseLenientInt(in.Next());
    colour.green = ParseLenientInt(in.Next());
    colour.blue = ParseLenientInt(in.Next());
  }
}

std::string FormatColours(const ColourTable& table) {
  LineWriter out;
  for (std::size_t i = 0; i < table.colours.size(); ++i) {
    out.Line(kColourEntries[i].name);
    out.Line(table.colours[i].red);
    out.Line(table.colours[i].green);
    out.Line(table.colours[i].blue);
  }
  return out.Text();
}

bool LoadColours(const std::string& path, ColourTable& table, StatusMessage& status) {
  const std::optional<std::string> text = ReadFileBytes(path);
  if (!text) {
    status.Show("Colour file load failed.");
    return false;
  }
  ParseColours(*text, table);
  status.Show("Colour file loaded.");
  return true;
}

bool SaveColours(const std::string& path, const ColourTable& table, StatusMessage& status) {
  if (!WriteFileAtomic(path, FormatColours(table))) return false;
  status.Show("Colour file saved.");
  return true;
}

}  // namespace qv
