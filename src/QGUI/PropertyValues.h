#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>
#include <vector>

#include "QGUI/Types.h"

// The values a property is set from: a script's arguments from the third on, or a list
// the program writes. Index 0 is the first value; missing ones read as 0, "" or false.
class TQGUI_PropertyArgs {
 public:
  virtual ~TQGUI_PropertyArgs() = default;
  // Truncated toward zero and clamped to 32 bits; a non-number reads as 0.
  virtual int32_t Int(int index) const = 0;
  // Not truncated; a non-number reads as 0.
  virtual double Number(int index) const = 0;
  // Lua truth: only nil, false and a missing value are false.
  virtual bool Bool(int index) const = 0;
  // Lua's string conversion of the value; nil, booleans and missing values are "".
  virtual std::string String(int index) const = 0;

  // A UTF-8 string as wide text; invalid bytes become U+FFFD.
  std::u16string Text(int index) const;
  // Four values red, green, blue, alpha from `first`, 0..255 each, divided by 255.
  TQGUIColour Colour(int first) const;
  // A position or size in pixels, kept within kMaxCoordinate of 0.
  int32_t Coordinate(int index) const;
};

// Script positions and sizes stay within this many pixels of 0, so that absolute
// positions summed down the deepest tree and anchoring differences fit in 32 bits.
inline constexpr int32_t kMaxCoordinate = 1 << 20;

// One value the program passes where a script would pass a Lua value.
struct TQGUI_Arg {
  TQGUI_Arg(int number) : value(double(number)) {}
  TQGUI_Arg(double number) : value(number) {}
  TQGUI_Arg(bool flag) : value(flag) {}
  TQGUI_Arg(const char* text) : value(std::string(text)) {}
  TQGUI_Arg(std::string text) : value(std::move(text)) {}

  std::variant<double, bool, std::string> value;
};

// Values converted the way Lua converts arguments.
class TQGUI_ArgList : public TQGUI_PropertyArgs {
 public:
  TQGUI_ArgList(std::initializer_list<TQGUI_Arg> values) : values_(values) {}

  int32_t Int(int index) const override;
  double Number(int index) const override;
  bool Bool(int index) const override;
  std::string String(int index) const override;

 private:
  const TQGUI_Arg* At(int index) const;

  std::vector<TQGUI_Arg> values_;
};

// What reading a property gives: nothing, a number, a boolean, a string, or a table of
// up to four named numbers or booleans.
struct TQGUI_Field {
  const char* key = "";
  std::variant<double, bool> value;
};
struct TQGUI_Table {
  std::array<TQGUI_Field, 4> fields;
  size_t count = 0;

  TQGUI_Table& Add(const char* key, std::variant<double, bool> value);
};
using TQGUI_Value = std::variant<std::monostate, double, bool, std::string, TQGUI_Table>;

// A colour as scripts read it: each stored component times 255, not rounded.
TQGUI_Table ColourTable(const TQGUIColour& colour);

// Lua's number to text conversion ("%.14g").
std::string LuaNumberText(double number);
// Lua's text to number conversion: the whole text, blanks around it allowed, decimal
// or hexadecimal; false when it is not a number.
bool ParseLuaNumber(const std::string& text, double& number);
// A number truncated toward zero and clamped to 32 bits; NaN is 0.
int32_t TruncateToInt(double number);
