#include "QGUI/PropertyValues.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "platform/Text.h"

std::u16string TQGUI_PropertyArgs::Text(int index) const { return ToUtf16(String(index)); }

TQGUIColour TQGUI_PropertyArgs::Colour(int first) const {
  auto component = [&](int i) { return float(Int(first + i)) / 255.0f; };
  return {component(0), component(1), component(2), component(3)};
}

int32_t TQGUI_PropertyArgs::Coordinate(int index) const {
  return std::clamp(Int(index), -kMaxCoordinate, kMaxCoordinate);
}

const TQGUI_Arg* TQGUI_ArgList::At(int index) const {
  return index >= 0 && size_t(index) < values_.size() ? &values_[size_t(index)] : nullptr;
}

int32_t TQGUI_ArgList::Int(int index) const { return TruncateToInt(Number(index)); }

double TQGUI_ArgList::Number(int index) const {
  const TQGUI_Arg* arg = At(index);
  if (!arg) return 0;
  if (const double* number = std::get_if<double>(&arg->value)) return *number;
  double parsed = 0;
  if (const std::string* text = std::get_if<std::string>(&arg->value); text && ParseLuaNumber(*text, parsed))
    return parsed;
  return 0;
}

bool TQGUI_ArgList::Bool(int index) const {
  const TQGUI_Arg* arg = At(index);
  if (!arg) return false;
  const bool* flag = std::get_if<bool>(&arg->value);
  return flag ? *flag : true;
}

std::string TQGUI_ArgList::String(int index) const {
  const TQGUI_Arg* arg = At(index);
  if (!arg) return {};
  if (const std::string* text = std::get_if<std::string>(&arg->value)) return *text;
  if (const double* number = std::get_if<double>(&arg->value)) return LuaNumberText(*number);
  return {};
}

TQGUI_Table& TQGUI_Table::Add(const char* key, std::variant<double, bool> value) {
  if (count < fields.size()) fields[count++] = {key, value};
  return *this;
}

TQGUI_Table ColourTable(const TQGUIColour& colour) {
  TQGUI_Table table;
  return table.Add("red", double(colour.red) * 255)
      .Add("green", double(colour.green) * 255)
      .Add("blue", double(colour.blue) * 255)
      .Add("alpha", double(colour.alpha) * 255);
}

std::string LuaNumberText(double number) {
  char text[32];
  std::snprintf(text, sizeof text, "%.14g", number);
  return text;
}

bool ParseLuaNumber(const std::string& text, double& number) {
  const char* start = text.c_str();
  char* end = nullptr;
  double value = std::strtod(start, &end);
  if (end == start) return false;
  while (std::isspace(uint8_t(*end))) ++end;
  if (*end != '\0' || size_t(end - start) != text.size()) return false;
  number = value;
  return true;
}

int32_t TruncateToInt(double number) {
  double value = std::trunc(number);
  if (std::isnan(value)) return 0;
  if (value <= std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  if (value >= std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return int32_t(value);
}
