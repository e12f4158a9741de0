#include "headless/EventScript.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "headless/ShortQuote.h"

namespace {

using Kind = TScriptedEvent::Kind;

// A file of nothing but bad lines reports this many, then how many more there were.
constexpr size_t kMaxReportedErrors = 20;

struct NumberRule {
  const char* name;
  int64_t min, max;
};

constexpr NumberRule kFrame{"frame", 0, kMaxRunFrames};
constexpr NumberRule kX{"x", -kMaxEventCoordinate, kMaxEventCoordinate};
constexpr NumberRule kY{"y", -kMaxEventCoordinate, kMaxEventCoordinate};
constexpr NumberRule kButton{"button", 0, 2};
constexpr NumberRule kDelta{"delta", -kMaxEventWheelDelta, kMaxEventWheelDelta};
constexpr NumberRule kCode{"code", 0, kMaxEventCode};

struct KindInfo {
  Kind kind;
  std::vector<NumberRule> numbers;  // after the frame and the word
};

const std::map<std::string, KindInfo, std::less<>> kKinds = {{"move", {Kind::MouseMove, {kX, kY}}},
                                                             {"down", {Kind::MouseDown, {kButton, kX, kY}}},
                                                             {"up", {Kind::MouseUp, {kButton, kX, kY}}},
                                                             {"wheel", {Kind::Wheel, {kDelta, kX, kY}}},
                                                             {"keydown", {Kind::KeyDown, {kCode}}},
                                                             {"keyup", {Kind::KeyUp, {kCode}}},
                                                             {"char", {Kind::Char, {kCode}}}};

std::vector<std::string_view> Tokens(std::string_view line) {
  constexpr std::string_view kSpace = " \t\r\v\f";
  std::vector<std::string_view> tokens;
  for (size_t start = line.find_first_not_of(kSpace); start != std::string_view::npos;) {
    size_t end = std::min(line.find_first_of(kSpace, start), line.size());
    tokens.push_back(line.substr(start, end - start));
    start = line.find_first_not_of(kSpace, end);
  }
  return tokens;
}

enum class NumberStatus { Ok, NotWhole, OutOfRange };

NumberStatus ReadNumber(std::string_view token, const NumberRule& rule, int64_t& value) {
  auto [end, status] = std::from_chars(token.data(), token.data() + token.size(), value);
  if (status == std::errc::result_out_of_range) return NumberStatus::OutOfRange;
  if (status != std::errc() || end != token.data() + token.size()) return NumberStatus::NotWhole;
  return value < rule.min || value > rule.max ? NumberStatus::OutOfRange : NumberStatus::Ok;
}

std::string NumberError(NumberStatus status, std::string_view token, const NumberRule& rule) {
  std::string error = std::string(rule.name) + " " + ShortQuote(token);
  if (status == NumberStatus::NotWhole) return error + " is not a whole number";
  return error + " is out of range (" + std::to_string(rule.min) + " to " + std::to_string(rule.max) + ")";
}

std::string ParseLine(const std::vector<std::string_view>& tokens, TScriptedEvent& event) {
  int64_t frame = 0;
  NumberStatus status = ReadNumber(tokens[0], kFrame, frame);
  if (status == NumberStatus::NotWhole) return "expected a frame number";
  if (status == NumberStatus::OutOfRange) return NumberError(status, tokens[0], kFrame);
  if (tokens.size() < 2) return "expected an event name";
  auto it = kKinds.find(tokens[1]);
  if (it == kKinds.end()) return "unknown event " + ShortQuote(tokens[1]);
  const std::vector<NumberRule>& rules = it->second.numbers;
  if (tokens.size() < rules.size() + 2)
    return std::string(tokens[1]) + " takes " + std::to_string(rules.size()) + " numbers";
  if (tokens.size() > rules.size() + 2) return "unexpected " + ShortQuote(tokens[rules.size() + 2]);
  int64_t values[3] = {};
  for (size_t i = 0; i < rules.size(); ++i) {
    status = ReadNumber(tokens[i + 2], rules[i], values[i]);
    if (status != NumberStatus::Ok) return std::string(tokens[1]) + ": " + NumberError(status, tokens[i + 2], rules[i]);
  }
  event.frame = frame;
  event.kind = it->second.kind;
  if (event.kind == Kind::MouseMove) {
    event.x = static_cast<int>(values[0]), event.y = static_cast<int>(values[1]);
  } else {
    event.a = static_cast<int>(values[0]), event.x = static_cast<int>(values[1]), event.y = static_cast<int>(values[2]);
  }
  return {};
}

}  // namespace

std::vector<TScriptedEvent> ParseEventScript(std::string_view text, std::vector<std::string>& errors) {
  std::vector<TScriptedEvent> events;
  size_t badLines = 0;
  size_t number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++number;
    std::vector<std::string_view> tokens = Tokens(line.substr(0, line.find('#')));
    if (tokens.empty()) continue;
    TScriptedEvent event;
    std::string error = ParseLine(tokens, event);
    if (error.empty())
      events.push_back(event);
    else if (++badLines <= kMaxReportedErrors)
      errors.push_back("line " + std::to_string(number) + ": " + error);
  }
  if (badLines > kMaxReportedErrors)
    errors.push_back(std::to_string(badLines - kMaxReportedErrors) + " more lines with errors");
  return events;
}
