#include "settings/key_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace qv {
namespace {

TEST(KeyNames, NamesKnownCodesAndNothingElse) {
  const KeyNames names = BuildKeyNames();
  struct Case {
    int code;
    std::string_view name;
  };
  const Case cases[] = {
      {189, "Minus"},     {107, "Numpad +"},     {299, "Hit A Key"},      {1, "Mouse button (Left)"},
      {13, "Enter"},      {48, "0"},             {57, "9"},               {65, "A"},
      {90, "Z"},          {96, "Numpad 0"},      {105, "Numpad 9"},       {108, "Numpad /"},
      {111, "Numpad /"},  {112, "F1"},           {123, "F12"},            {160, "Shift (Left)"},
      {226, "Backslash"}, {0, ""},               {3, ""},                 {200, ""},
      {298, ""},          {-1, ""},              {300, ""},               {1000, ""},
      {std::numeric_limits<int>::min(), ""},     {std::numeric_limits<int>::max(), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(KeyName(names, c.code), c.name) << c.code;
}

TEST(KeyNames, HasOneHundredAndFifteenNamedCodes) {
  const KeyNames names = BuildKeyNames();
  EXPECT_EQ(std::count_if(names.begin(), names.end(), [](std::string_view n) { return !n.empty(); }), 115);
}

}  // namespace
}  // namespace qv
