#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "QGUI/Element.h"

enum TQGUI_Align : uint8_t { ALIGN_LEFT = 0, ALIGN_MIDDLE = 1, ALIGN_RIGHT = 2 };
enum TQGUI_VAlign : uint8_t { ALIGN_TOP = 0, ALIGN_VMIDDLE = 1, ALIGN_BOTTOM = 2 };
enum TQGUI_TextCase : uint8_t { CASE_NORMAL = 0, CASE_LOWER = 1, CASE_UPPER = 2, CASE_TITLE = 3 };

// Colour runs of a line: 5-byte records (count 1..255, red, green, blue, kind), kind 0
// the colour given, kind 1 the element's font colour.
namespace ColourRun {
inline constexpr size_t kSize = 5;
inline constexpr size_t kMaxCount = 255;
inline constexpr uint8_t kOwn = 0;
inline constexpr uint8_t kElement = 1;
// Appends runs covering `count` characters, at most 255 each.
void Append(std::string& runs, size_t count, uint32_t colour, uint8_t kind);
}  // namespace ColourRun

// Takes runs off the front of a run string without copying what is left, so a long
// line's runs are cut into pieces in one pass.
class TQGUI_RunCursor {
 public:
  explicit TQGUI_RunCursor(std::string_view runs) : rest_(runs) {}
  // The runs covering the next `count` characters; a run that reaches past them is split.
  std::string TakeRuns(size_t count);

 private:
  void SkipEmpty();
  std::string_view rest_;
  size_t used_ = 0;  // characters of the first run already taken
};

// Text lines with inline "#C" colour codes, case changes, word wrap, alignment, an
// optional glyph beside the text, auto-sizing, and a marquee for one over-long line.
class TQGUI_Label : public TQGUI_Element {
 public:
  TQGUI_Label(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_LABEL; }
  void Resized() override;
  void Draw() override;
  void SetHeight(int32_t height) override;
  void SetWordWrap(bool on) override;
  virtual void SetText(std::u16string_view text);
  virtual void AddLine(std::u16string_view text);

  // The lines joined by CR, each with its colour codes put back.
  std::u16string GetText() const;
  void SetTextCase(uint8_t textCase);
  void SetScrollText(bool on);
  void AutoSizeCheck(bool force);
  // n lines of the font plus the margins; 20 pixels a line before the font is known.
  int32_t LinesHeight(size_t n) const;
  void Rewrap();
  // The lines drawn: wrapped ones while word wrap is on.
  size_t ShownLineCount() const { return wordWrap ? wrappedLines.size() : lines.size(); }
  // The horizontal marquee shift the last draw used.
  int32_t MarqueeShift() const { return marqueeShift_; }

  std::vector<std::u16string> lines{u"Untitled"};
  std::vector<std::string> lineColourRuns{std::string()};
  std::vector<std::u16string> wrappedLines;
  std::vector<std::string> wrappedColourRuns;
  uint8_t hAlign = ALIGN_LEFT;
  uint8_t vAlign = ALIGN_VMIDDLE;
  uint8_t textCase = CASE_NORMAL;
  bool wrapPending = false;
  bool heightFollowsFont = true;
  bool scrollText = false;
  int32_t lineOffset = 0;  // subtracted from every line's y; the text box scrolls with it
  int32_t marqueeOffset = 0;
  long double marqueeClock = 0;  // seconds
  uint8_t marqueePhase = 1;      // 0 moving right, 1 moving left, 2 pause at the left end, 3 pause at the start
  int32_t textMargin = 0;
  bool noHighlight = false;
  int32_t autoMaxWidth = 0;
  bool textChanged = false;
  bool topDown = true;
  int32_t downPixels = 0;

 protected:
  // Appends the lines of `text` as SetText would read them after the present ones.
  void AppendText(std::u16string_view text);
  // The colour text is drawn in now: disabled, hovered or plain.
  const TQGUIColour& TextColour() const;
  int CharGap() const { return font.charGap; }
  // Maps the case of the lines from `firstLine` on to the text case.
  void ApplyCase(size_t firstLine);

 private:
  void ExtractColourCodes(size_t firstLine);
  void WrapLines(size_t firstLine);
  void WrapLine(std::u16string_view line, std::string_view runs, int width);
  void StepMarquee(int32_t overflow);
  int32_t DrawGlyph(float colourAlpha);
  void DrawLines(const std::vector<std::u16string>& shown, const std::vector<std::string>& runs, int32_t glyphOffset,
                 int32_t shift, const TQGUIColour& colour, float a);
  void DrawVisiblePart(std::u16string_view text, const std::string& runs, int32_t x, int32_t y,
                       const TQGUIColour& colour, float a);

  bool codeSeen_ = false;  // a colour code occurred somewhere in the text
  int32_t marqueeShift_ = 0;
};
