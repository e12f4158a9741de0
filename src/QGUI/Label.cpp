#include "QGUI/Label.h"

#include <unicode/ustring.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <climits>
#include <optional>

#include "QGUI/Scissor.h"
#include "font/FontBase.h"
#include "gl/Renderer.h"

namespace {

constexpr size_t kCodeLength = 8;  // "#C" and six hex digits
constexpr double kMarqueeStep = 0.1;
constexpr double kMarqueePause = 0.75;

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// A colour code at `at`: its value, lowest byte red, highest blue.
std::optional<uint32_t> ReadCode(std::u16string_view text, size_t at) {
  if (text.size() - at < kCodeLength || text[at] != u'#' || text[at + 1] != u'C') return std::nullopt;
  uint32_t value = 0;
  for (size_t i = 2; i < kCodeLength; ++i) {
    int digit = HexDigit(text[at + i]);
    if (digit < 0) return std::nullopt;
    value = value * 16 + uint32_t(digit);
  }
  return value;
}

void AppendCode(std::u16string& out, uint32_t value) {
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  out += u"#C";
  for (int shift = 20; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 15];
}

uint32_t RunColour(std::string_view record) {
  return uint32_t(uint8_t(record[1])) | uint32_t(uint8_t(record[2])) << 8 | uint32_t(uint8_t(record[3])) << 16;
}

// Breaks at CR, LF, CR LF or LF CR, collapsing any mix of them the way repeated
// pair replacement would: a run of breaks holding CRs gives one line end per CR,
// a run of LFs alone one per LF. The rest after the last break is a line only when
// it is not empty.
void SplitLines(std::u16string_view text, std::vector<std::u16string>& out) {
  size_t at = 0;
  while (at < text.size()) {
    size_t end = std::min(text.find_first_of(u"\r\n", at), text.size());
    std::u16string_view piece = text.substr(at, end - at);
    if (end == text.size()) {
      if (!piece.empty()) out.emplace_back(piece);
      return;
    }
    size_t after = std::min(text.find_first_not_of(u"\r\n", end), text.size());
    size_t crs = size_t(std::count(text.begin() + ptrdiff_t(end), text.begin() + ptrdiff_t(after), u'\r'));
    size_t breaks = crs ? crs : after - end;
    out.emplace_back(piece);
    out.resize(out.size() + breaks - 1);
    at = after;
  }
}

using IcuCaseMap = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

std::u16string IcuMap(std::u16string_view text, IcuCaseMap map) {
  if (text.empty() || text.size() > size_t(INT32_MAX) / 4) return std::u16string(text);
  std::u16string out(text.size(), u'\0');
  UErrorCode error = U_ZERO_ERROR;
  int32_t length = map(out.data(), int32_t(out.size()), text.data(), int32_t(text.size()), "", &error);
  if (error == U_BUFFER_OVERFLOW_ERROR) {
    out.resize(size_t(length));
    error = U_ZERO_ERROR;
    length = map(out.data(), length, text.data(), int32_t(text.size()), "", &error);
  }
  if (U_FAILURE(error)) return std::u16string(text);
  out.resize(size_t(length));
  return out;
}

// Lower case, then upper case for the first character and every one after a space;
// `afterSpace` carries the state across the pieces of one line.
std::u16string TitleCase(std::u16string_view text, bool& afterSpace) {
  std::u16string lower = IcuMap(text, u_strToLower);
  std::u16string out;
  out.reserve(lower.size());
  for (int32_t at = 0, size = int32_t(lower.size()); at < size;) {
    int32_t start = at;
    UChar32 cp;
    U16_NEXT(lower.data(), at, size, cp);
    std::u16string_view unit(lower.data() + start, size_t(at - start));
    if (afterSpace) {
      out += IcuMap(unit, u_strToUpper);
    } else {
      out += unit;
    }
    afterSpace = cp == 32;
  }
  return out;
}

std::u16string MapCase(std::u16string_view text, uint8_t textCase, bool& afterSpace) {
  switch (textCase) {
    case CASE_LOWER:
      return IcuMap(text, u_strToLower);
    case CASE_UPPER:
      return IcuMap(text, u_strToUpper);
    case CASE_TITLE:
      return TitleCase(text, afterSpace);
    default:
      return std::u16string(text);
  }
}

// Maps a line run by run, since full case mapping may change a run's length.
void CaseLine(std::u16string& line, std::string& runs, uint8_t textCase) {
  bool afterSpace = true;
  if (runs.empty()) {
    line = MapCase(line, textCase, afterSpace);
    return;
  }
  std::u16string out;
  std::string outRuns;
  size_t at = 0;
  for (size_t r = 0; r + ColourRun::kSize <= runs.size(); r += ColourRun::kSize) {
    std::string_view record(runs.data() + r, ColourRun::kSize);
    size_t count = std::min<size_t>(uint8_t(record[0]), line.size() - at);
    std::u16string piece = MapCase(std::u16string_view(line).substr(at, count), textCase, afterSpace);
    at += count;
    ColourRun::Append(outRuns, piece.size(), RunColour(record), uint8_t(record[4]));
    out += piece;
  }
  out += MapCase(std::u16string_view(line).substr(at), textCase, afterSpace);
  line = std::move(out);
  runs = std::move(outRuns);
}

bool IsBreak(char16_t c) { return c == u' ' || c == u'(' || c == u'<' || c == u'[' || c == u'{'; }

int32_t Saturate(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

}  // namespace

// ---- Colour runs

void ColourRun::Append(std::string& runs, size_t count, uint32_t colour, uint8_t kind) {
  if (kind != kOwn) colour = 0;
  // Top up the last run when it has the same colour.
  if (runs.size() >= kSize) {
    char* last = runs.data() + runs.size() - kSize;
    if (uint8_t(last[4]) == kind && RunColour(std::string_view(last, kSize)) == colour) {
      size_t room = std::min(count, kMaxCount - uint8_t(last[0]));
      last[0] = char(uint8_t(last[0]) + room);
      count -= room;
    }
  }
  for (; count > 0;) {
    size_t take = std::min(count, kMaxCount);
    runs += char(take);
    runs += char(colour & 0xff);
    runs += char(colour >> 8 & 0xff);
    runs += char(colour >> 16 & 0xff);
    runs += char(kind);
    count -= take;
  }
}

void TQGUI_RunCursor::SkipEmpty() {
  while (rest_.size() >= ColourRun::kSize && uint8_t(rest_[0]) == 0) rest_.remove_prefix(ColourRun::kSize);
  if (rest_.size() < ColourRun::kSize) rest_ = {};
}

std::string TQGUI_RunCursor::TakeRuns(size_t count) {
  std::string out;
  while (count > 0) {
    SkipEmpty();
    if (rest_.empty()) break;
    size_t runCount = uint8_t(rest_[0]);
    size_t take = std::min(runCount - used_, count);
    out += char(take);
    out.append(rest_.substr(1, ColourRun::kSize - 1));
    count -= take;
    used_ += take;
    if (used_ == runCount) {
      rest_.remove_prefix(ColourRun::kSize);
      used_ = 0;
    }
  }
  return out;
}

// ---- Label

TQGUI_Label::TQGUI_Label(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel)
    : TQGUI_Element(context, parent, topLevel) {
  col1.alpha = 0;
}

void TQGUI_Label::SetText(std::u16string_view text) {
  marqueeOffset = 0;
  lines.clear();
  lineColourRuns.clear();
  codeSeen_ = false;
  AppendText(text);
  Rewrap();
  textChanged = true;
}

void TQGUI_Label::AppendText(std::u16string_view text) {
  size_t first = lines.size();
  SplitLines(text, lines);
  lineColourRuns.resize(lines.size());
  ExtractColourCodes(first);
  ApplyCase(first);
}

// The same as setting the present text, a CR and `text`, without reading the present
// lines again, so a growing log stays linear.
void TQGUI_Label::AddLine(std::u16string_view text) {
  if (lines.empty() || (lines.size() == 1 && lines[0].empty())) return SetText(text);
  marqueeOffset = 0;
  size_t first = lines.size();
  // The joining CR merges with breaks at the start of `text`, as it would in one text.
  std::u16string joined = u"\r" + std::u16string(text);
  AppendText(joined);
  lines.erase(lines.begin() + ptrdiff_t(first));
  lineColourRuns.erase(lineColourRuns.begin() + ptrdiff_t(first));
  if (wordWrap && font.font && !wrapPending) {
    WrapLines(first);
  } else {
    Rewrap();
  }
  textChanged = true;
}

std::u16string TQGUI_Label::GetText() const {
  std::u16string out;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) out += u'\r';
    std::u16string_view line = lines[i];
    std::string_view runs = i < lineColourRuns.size() ? std::string_view(lineColourRuns[i]) : std::string_view();
    std::optional<uint32_t> last;
    size_t at = 0;
    for (size_t r = 0; r + ColourRun::kSize <= runs.size() && at < line.size(); r += ColourRun::kSize) {
      std::string_view record = runs.substr(r, ColourRun::kSize);
      size_t count = std::min<size_t>(uint8_t(record[0]), line.size() - at);
      std::optional<uint32_t> colour;
      if (record[4] == ColourRun::kOwn) colour = RunColour(record);
      // A colour split into several runs gets its code once.
      if (colour && colour != last) AppendCode(out, *colour);
      last = colour;
      out += line.substr(at, count);
      at += count;
    }
    out += line.substr(at);
  }
  return out;
}

void TQGUI_Label::ExtractColourCodes(size_t firstLine) {
  for (size_t i = firstLine; i < lines.size(); ++i) {
    std::u16string_view in = lines[i];
    std::u16string out;
    out.reserve(in.size());
    std::string runs;
    size_t pending = 0;
    std::optional<uint32_t> current;  // none: the element's colour
    auto flush = [&] {
      if (pending)
        ColourRun::Append(runs, pending, current.value_or(0), current ? ColourRun::kOwn : ColourRun::kElement);
      pending = 0;
    };
    for (size_t at = 0; at < in.size();) {
      if (std::optional<uint32_t> code = ReadCode(in, at)) {
        if (pending == 0 || current != code) {
          flush();
          current = code;
        }
        codeSeen_ = true;
        at += kCodeLength;
        continue;
      }
      out += in[at++];
      // Before the first code of the label the pending count is not capped.
      if (++pending == ColourRun::kMaxCount && codeSeen_) flush();
    }
    if (codeSeen_) flush();
    lines[i] = std::move(out);
    lineColourRuns[i] = std::move(runs);
  }
}

void TQGUI_Label::ApplyCase(size_t firstLine) {
  if (textCase == CASE_NORMAL) return;
  for (size_t i = firstLine; i < lines.size(); ++i) CaseLine(lines[i], lineColourRuns[i], textCase);
}

void TQGUI_Label::SetTextCase(uint8_t value) {
  if (value == textCase) return;
  textCase = value;
  ApplyCase(0);
  // The wrapped lines are copies; they show the new case too.
  if (wordWrap) Rewrap();
}

void TQGUI_Label::SetScrollText(bool on) {
  scrollText = on;
  marqueeOffset = 0;
  marqueeClock = 0;
  marqueePhase = 1;
}

// ---- Wrapping and sizing

void TQGUI_Label::Rewrap() {
  wrappedLines.clear();
  wrappedColourRuns.clear();
  wrapPending = false;
  if (!wordWrap) return;
  if (!font.font) {
    wrapPending = true;
    return;
  }
  WrapLines(0);
}

void TQGUI_Label::WrapLines(size_t firstLine) {
  for (size_t i = firstLine; i < lines.size(); ++i)
    WrapLine(lines[i], i < lineColourRuns.size() ? lineColourRuns[i] : std::string_view(), w - 6);
}

void TQGUI_Label::WrapLine(std::u16string_view line, std::string_view runs, int width) {
  if (line.empty()) {
    wrappedLines.emplace_back();
    wrappedColourRuns.emplace_back();
    return;
  }
  TQGUI_RunCursor cursor(runs);
  std::u16string_view rest = line;
  while (!rest.empty()) {
    size_t fit = size_t(std::max(0, font.font->CharsThatFit(rest, width, CharGap())));
    size_t k = std::min(fit, rest.size());
    if (k < rest.size()) {
      while (k > 0 && !IsBreak(rest[k - 1])) --k;
      if (k == 0) k = fit;
    }
    if (k == 0) k = rest.size();
    wrappedLines.emplace_back(rest.substr(0, k));
    wrappedColourRuns.push_back(cursor.TakeRuns(k));
    rest.remove_prefix(k);
  }
}

void TQGUI_Label::AutoSizeCheck(bool force) {
  if (force) textChanged = true;
  if (!LoadFont()) return;
  TOGL_Font_Base& f = *font.font;
  auto widest = [&](int32_t extra) {
    int32_t width = w;
    for (const std::u16string& line : lines)
      width = std::max(width, Saturate(int64_t(f.TextWidth(line, CharGap())) + extra));
    return width;
  };
  if (wordWrap && autosize && autoMaxWidth > 0 && (wrapPending || textChanged)) {
    w = std::min(widest(6), autoMaxWidth);
    Rewrap();
    h = Saturate(int64_t(f.LineHeight() + 2) * int64_t(wrappedLines.size()));
    textChanged = false;
  } else if (!wordWrap && autosize && autosizePending) {
    w = widest(4);
    autosizePending = false;
  }
}

int32_t TQGUI_Label::LinesHeight(size_t n) const {
  int64_t lineHeight = font.font ? font.font->LineHeight() : 20;
  return Saturate(int64_t(std::min<size_t>(n, INT32_MAX)) * lineHeight + 2 * int64_t(textMargin));
}

void TQGUI_Label::Resized() {
  TQGUI_Element::Resized();
  if (wordWrap) wrapPending = true;
}

void TQGUI_Label::SetHeight(int32_t height) {
  heightFollowsFont = false;
  TQGUI_Element::SetHeight(height);
}

void TQGUI_Label::SetWordWrap(bool on) {
  if (on == wordWrap) return;
  wordWrap = on;
  Rewrap();
}

// ---- Drawing

const TQGUIColour& TQGUI_Label::TextColour() const {
  if (!IsEnabledInTree()) return font.colDisabled;
  if (mouseOver && !noHighlight) return font.colOver;
  return font.col;
}

void TQGUI_Label::Draw() {
  const float a = EffectiveAlpha();
  TQGUI_Element::Draw();
  if (Deleted() || !LoadFont()) return;
  const int32_t lineHeight = font.font->LineHeight();
  if (wordWrap || !heightFollowsFont) {
    h = std::max(h, lineHeight);
  } else {
    h = lineHeight;
  }
  AutoSizeCheck(false);
  if (wrapPending) Rewrap();
  if (scrollInfoDirty) UpdateScrollInfo();
  if (Deleted()) return;
  const TQGUIColour& colour = TextColour();
  const float colourAlpha = colour.alpha * a;
  const int32_t glyphOffset = DrawGlyph(colourAlpha);
  marqueeShift_ = 0;
  if (scrollText && lines.size() == 1) {
    int64_t overflow = int64_t(font.font->TextWidth(lines[0], CharGap())) + 2 * int64_t(textMargin) + 2 - w;
    int32_t f = Saturate(std::max<int64_t>(0, overflow));
    StepMarquee(f);
    marqueeShift_ = std::max(-f, std::min(marqueeOffset, 0));
  }
  if (colourAlpha <= 0) return;
  TQGUI_Scissor_Stack* stack = scissor && scissorBorder >= 1 ? Context().Services().scissor : nullptr;
  if (stack) {
    const int32_t b = scissorBorder;
    stack->PushScissor(GetAbsX() + b, Renderer().Height() - GetAbsY() - h + b, w - 2 * b, h - 2 * b);
  }
  if (wordWrap) {
    DrawLines(wrappedLines, wrappedColourRuns, glyphOffset, marqueeShift_, colour, a);
  } else {
    DrawLines(lines, lineColourRuns, glyphOffset, marqueeShift_, colour, a);
  }
  EndTextured();
  if (stack) stack->PopScissor();
}

// One pixel a step, a pause at each end; a long frame moves several steps. The frame
// timer never reports more than a second, and neither is more taken from elsewhere.
void TQGUI_Label::StepMarquee(int32_t overflow) {
  double delta = Context().Services().frameDelta();
  marqueeClock += delta > 0 ? std::min(delta, 1.0) : 0.0;
  if (marqueePhase == 0 || marqueePhase == 1) {
    while (marqueeClock > kMarqueeStep) {
      if (marqueePhase == 1) {
        --marqueeOffset;
        if (marqueeOffset <= -int64_t(overflow) - 4) marqueePhase = 2;
      } else {
        ++marqueeOffset;
        if (marqueePhase == 0 && marqueeOffset >= 0) marqueePhase = 3;
      }
      marqueeClock -= kMarqueeStep;
    }
  } else if (marqueeClock >= kMarqueePause) {
    marqueePhase = marqueePhase == 2 ? 0 : 1;
    marqueeClock = 0;
  }
}

// Draws the glyph beside the text, centred on the label's height; gives the shift it
// makes for left-aligned text.
int32_t TQGUI_Label::DrawGlyph(float colourAlpha) {
  const TQGUITexSlot& glyph = Slot(SLOT_GLYPH);
  if (glyph.name.empty() || glyphAlign > 1) return 0;
  ResolveTexture(SLOT_GLYPH, false);
  if (!glyph.texture || colourAlpha <= 0) return 0;
  const int32_t gw = glyph.width, gh = glyph.height;
  const int32_t gx = glyphAlign == 0 ? GetAbsX() + 4 : GetAbsX() + w - 4 - gw;
  const int32_t top = GetAbsY() + h / 2 - gh / 2;
  BeginTextured();
  Renderer().SetColour(1, 1, 1, colourAlpha);
  DrawTexturedRect(glyph.texture, gx, top, gw, gh, 0, 0, 1, 1);
  EndTextured();
  return glyphAlign == 0 ? gw : -gw;
}

void TQGUI_Label::DrawLines(const std::vector<std::u16string>& shown, const std::vector<std::string>& runs,
                            int32_t glyphOffset, int32_t shift, const TQGUIColour& colour, float a) {
  TOGL_Font_Base& f = *font.font;
  const int64_t n = int64_t(shown.size());
  const int64_t lh = f.LineHeight();
  const int64_t X = GetAbsX(), Y = GetAbsY();
  int64_t base;  // the y of line 0
  if (topDown) {
    int64_t y = vAlign == ALIGN_TOP ? Y : vAlign == ALIGN_VMIDDLE ? Y + h / 2 - lh * n / 2 : Y + h - lh * n;
    if (buttonDown[0] && downPixels != 0) y += downPixels;
    base = y + textMargin - lineOffset;
  } else {
    base = Y + h - textMargin + lineOffset - lh * n;
  }
  // Lines wholly outside the view (a line's height of slack for glyph edges) or, with
  // the scissor, outside the label are skipped without being measured.
  int64_t low = -lh, high = Renderer().Height() + lh;
  if (scissor) {
    low = std::max(low, Y);
    high = std::min(high, Y + h);
  }
  int64_t first = 0, last = n - 1;
  if (lh > 0) {
    const int64_t before = low - lh - base;
    first = before <= 0 ? 0 : (before + lh - 1) / lh;
    last = std::min(n - 1, high < base ? -1 : (high - base) / lh);
  }
  for (int64_t i = first; i <= last; ++i) {
    const int64_t y = base + i * lh;
    if (y > high || y + lh < low) continue;
    const std::u16string& line = shown[size_t(i)];
    int64_t x;
    if (hAlign == ALIGN_LEFT) {
      x = X + glyphOffset + 4;
    } else {
      const int64_t tw = f.TextWidth(line, CharGap());
      x = hAlign == ALIGN_MIDDLE ? X + w / 2 - tw / 2 : X + w - 4 - tw + glyphOffset;
    }
    const std::string& lineRuns = size_t(i) < runs.size() ? runs[size_t(i)] : std::string();
    DrawVisiblePart(line, lineRuns, Saturate(x + shift), int32_t(y), colour, a);
  }
}

// A line with more characters than the view has pixels across is cut to the part
// that can show, so a megabyte of text costs what fits on the screen.
void TQGUI_Label::DrawVisiblePart(std::u16string_view text, const std::string& runs, int32_t x, int32_t y,
                                  const TQGUIColour& colour, float a) {
  const int32_t viewWidth = Renderer().Width();
  if (text.size() <= size_t(std::max(viewWidth, 0))) return DrawTextLine(text, runs, x, y, a, colour);
  TOGL_Font_Base& f = *font.font;
  const int64_t slack = f.LineHeight();
  f.SetCharGap(CharGap());
  size_t start = 0;
  int64_t cx = x;
  for (int advance; start < text.size() && cx + (advance = f.CharAdvance(text[start])) < -slack; ++start) cx += advance;
  size_t end = start;
  for (int64_t ex = cx; end < text.size() && ex <= viewWidth + slack; ++end) ex += f.CharAdvance(text[end]);
  f.RestoreCharGap();
  TQGUI_RunCursor cursor(runs);
  cursor.TakeRuns(start);
  DrawTextLine(text.substr(start, end - start), cursor.TakeRuns(end - start), int32_t(cx), y, a, colour);
}
