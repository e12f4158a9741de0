#include "headless/EventScript.h"

#include <map>
#include <sstream>

namespace {

using Kind = TScriptedEvent::Kind;

struct KindInfo {
  Kind kind;
  int numbers;  // after the frame and the word
};

const std::map<std::string, KindInfo, std::less<>> kKinds = {
    {"move", {Kind::MouseMove, 2}}, {"down", {Kind::MouseDown, 3}},  {"up", {Kind::MouseUp, 3}},
    {"wheel", {Kind::Wheel, 3}},    {"keydown", {Kind::KeyDown, 1}}, {"keyup", {Kind::KeyUp, 1}},
    {"char", {Kind::Char, 1}}};

bool ParseLine(const std::string& line, TScriptedEvent& event, std::string& error) {
  std::istringstream in(line);
  std::string word;
  if (!(in >> event.frame) || event.frame < 0) {
    error = "expected a frame number";
    return false;
  }
  if (!(in >> word)) {
    error = "expected an event name";
    return false;
  }
  auto it = kKinds.find(word);
  if (it == kKinds.end()) {
    error = "unknown event '" + word + "'";
    return false;
  }
  event.kind = it->second.kind;
  int values[3] = {};
  for (int i = 0; i < it->second.numbers; ++i) {
    if (!(in >> values[i])) {
      error = word + " takes " + std::to_string(it->second.numbers) + " numbers";
      return false;
    }
  }
  if (event.kind == Kind::MouseMove) {
    event.x = values[0], event.y = values[1];
  } else {
    event.a = values[0], event.x = values[1], event.y = values[2];
  }
  if (in >> word) {
    error = "unexpected '" + word + "'";
    return false;
  }
  return true;
}

}  // namespace

std::vector<TScriptedEvent> ParseEventScript(std::string_view text, std::vector<std::string>& errors) {
  std::vector<TScriptedEvent> events;
  std::istringstream in{std::string(text)};
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    line = line.substr(0, line.find('#'));
    if (line.find_first_not_of(" \t\r") == std::string::npos) continue;
    TScriptedEvent event;
    std::string error;
    if (ParseLine(line, event, error))
      events.push_back(event);
    else
      errors.push_back("line " + std::to_string(number) + ": " + error);
  }
  return events;
}
