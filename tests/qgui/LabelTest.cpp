#include <gtest/gtest.h>
#include <png.h>

#include <cmath>

#include "GuiFixture.h"
#include "QGUI/Label.h"
#include "TestImages.h"
#include "font/FontBase.h"

using Quad = RecordingRenderer::Quad;
using Lines = std::vector<std::u16string>;

namespace {

std::string Record(uint8_t count, uint8_t red, uint8_t green, uint8_t blue, uint8_t kind) {
  return std::string{char(count), char(red), char(green), char(blue), char(kind)};
}
std::string Own(uint8_t count) { return Record(count, 0, 0, 0, ColourRun::kElement); }

std::vector<int> Counts(const std::string& runs) {
  std::vector<int> counts;
  for (size_t i = 0; i + ColourRun::kSize <= runs.size(); i += ColourRun::kSize) counts.push_back(uint8_t(runs[i]));
  return counts;
}

}  // namespace

class LabelTest : public GuiTest {
 protected:
  TQGUI_Label& Label(int32_t x = 10, int32_t y = 20, int32_t width = 300, std::u16string_view text = u"") {
    auto& label = static_cast<TQGUI_Label&>(Make(TYPE_LABEL));
    label.x = x;
    label.y = y;
    label.w = width;
    if (!text.empty()) label.SetText(text);
    EXPECT_TRUE(label.LoadFont());
    return label;
  }
  std::vector<Quad> Frame() {
    renderer.quads.clear();
    RenderFrame();
    return renderer.quads;
  }
  // Where the pen was (window x, line top y) for a quad of character `ch`, found by
  // drawing that character at a known place.
  std::pair<int, int> Pen(TQGUI_Label& label, const Quad& quad, char16_t ch) {
    std::vector<Quad> kept = std::move(renderer.quads);
    renderer.quads.clear();
    label.DrawTextLine(std::u16string(1, ch), "", 0, 0, 1);
    Quad reference = renderer.quads.at(0);
    renderer.quads = std::move(kept);
    return {int(quad.x - reference.x), int(reference.y - quad.y)};
  }
  int LineHeight(TQGUI_Label& label) { return label.font.font->LineHeight(); }
  int Width(TQGUI_Label& label, std::u16string_view text) { return label.font.font->TextWidth(text, 0); }
};

TEST_F(LabelTest, LineBreaksInEveryFormAndEmptyLines) {
  TQGUI_Label& label = Label();
  EXPECT_EQ(label.lines, (Lines{u"Untitled"}));
  EXPECT_EQ(label.col1.alpha, 0);
  struct Case {
    std::u16string text;
    Lines lines;
  };
  const Case cases[] = {
      {u"ab\r\ncd", {u"ab", u"cd"}},
      {u"ab\ncd", {u"ab", u"cd"}},
      {u"ab\n\rcd", {u"ab", u"cd"}},
      {u"ab\r", {u"ab"}},
      {u"", {}},
      {u"\r\r", {u"", u""}},
      {u"a\n\nb", {u"a", u"", u"b"}},
      {u"a\r\n\r\nb", {u"a", u"", u"b"}},
      // Pairs collapse again and again: a CR among any number of LFs is one break.
      {u"a\r\n\n\n\nb", {u"a", u"b"}},
      {u"a\n\n\r\n\nb", {u"a", u"b"}},
  };
  for (const Case& c : cases) {
    label.SetText(c.text);
    EXPECT_EQ(label.lines, c.lines) << label.lines.size();
    EXPECT_EQ(label.lineColourRuns.size(), label.lines.size());
  }
  label.SetText(u"");
  EXPECT_EQ(label.GetText(), u"");
  label.SetText(u"one\ntwo");
  EXPECT_EQ(label.GetText(), u"one\rtwo");
}

TEST_F(LabelTest, ColourCodesBecomeRunsAndComeBackInGetText) {
  TQGUI_Label& label = Label();
  label.SetText(u"x#CFF0000y");
  EXPECT_EQ(label.lines, (Lines{u"xy"}));
  // The first two digits are blue.
  EXPECT_EQ(label.lineColourRuns[0], Own(1) + Record(1, 0, 0, 255, 0));
  EXPECT_EQ(label.GetText(), u"x#CFF0000y");

  // Five digits, a lower-case c or a code cut by the line end stay text.
  label.SetText(u"#C12345 #c0000FF #C0000F\r#CFF");
  EXPECT_EQ(label.lines, (Lines{u"#C12345 #c0000FF #C0000F", u"#CFF"}));
  EXPECT_EQ(label.lineColourRuns, (std::vector<std::string>{"", ""}));

  // Equal codes in a row make one run; lines before the first code have none, lines
  // after it are covered wholly, and a code never carries into the next line.
  label.SetText(u"plain\rab#C00ff00cd#C00FF00ef#C0000FFg\rnext");
  EXPECT_EQ(label.lines, (Lines{u"plain", u"abcdefg", u"next"}));
  EXPECT_EQ(label.lineColourRuns[0], "");
  EXPECT_EQ(label.lineColourRuns[1], Own(2) + Record(4, 0, 255, 0, 0) + Record(1, 255, 0, 0, 0));
  EXPECT_EQ(label.lineColourRuns[2], Own(4));
  EXPECT_EQ(label.GetText(), u"plain\rab#C00FF00cdef#C0000FFg\rnext");

  std::u16string text = u"mixed #C123456 (text) #CABCDEFend\rline two#C000000.";
  label.SetText(text);
  std::u16string once = label.GetText();
  EXPECT_EQ(once, text);
  label.SetText(once);
  EXPECT_EQ(label.GetText(), once);
}

TEST_F(LabelTest, RunsHoldAtMost255Characters) {
  TQGUI_Label& label = Label();
  label.SetText(u"#C0000FF" + std::u16string(600, u'a'));
  EXPECT_EQ(Counts(label.lineColourRuns[0]), (std::vector<int>{255, 255, 90}));
  // One code in front of the whole colour, however many runs it takes.
  EXPECT_EQ(label.GetText(), u"#C0000FF" + std::u16string(600, u'a'));

  // Before the label's first code the count is not capped; the code then splits it.
  label.SetText(std::u16string(300, u'b') + u"#C00FF00cc");
  EXPECT_EQ(Counts(label.lineColourRuns[0]), (std::vector<int>{255, 45, 2}));
  EXPECT_EQ(label.lineColourRuns[0].substr(0, 10), Own(255) + Own(45));
}

TEST_F(LabelTest, RunCursorSplitsRunsAtTheCut) {
  const std::string runs = Record(3, 1, 2, 3, 0) + Own(4);
  TQGUI_RunCursor cursor(runs);
  EXPECT_EQ(cursor.TakeRuns(2), Record(2, 1, 2, 3, 0));
  EXPECT_EQ(cursor.TakeRuns(3), Record(1, 1, 2, 3, 0) + Own(2));
  EXPECT_EQ(cursor.TakeRuns(10), Own(2));
  EXPECT_EQ(cursor.TakeRuns(1), "");
  TQGUI_RunCursor empty("");
  EXPECT_EQ(empty.TakeRuns(5), "");
}

TEST_F(LabelTest, TextCaseMapsWideTextInPlace) {
  TQGUI_Label& label = Label();
  label.SetText(u"Hello wORLD");
  label.SetTextCase(CASE_UPPER);
  EXPECT_EQ(label.lines[0], u"HELLO WORLD");
  // The text before the mapping is gone.
  label.SetTextCase(CASE_NORMAL);
  EXPECT_EQ(label.lines[0], u"HELLO WORLD");
  label.SetTextCase(CASE_TITLE);
  EXPECT_EQ(label.lines[0], u"Hello World");
  label.SetText(u"élan ÉTÉ  x-ray\tnew ПРИВЕТ мир");
  EXPECT_EQ(label.lines[0], u"Élan Été  X-ray\tnew Привет Мир");
  label.SetTextCase(CASE_LOWER);
  EXPECT_EQ(label.lines[0], u"élan été  x-ray\tnew привет мир");

  // Full mapping may lengthen a run: its colour stays on the same letters.
  label.SetTextCase(CASE_UPPER);
  label.SetText(u"Stra#C0000FFße!");
  EXPECT_EQ(label.lines[0], u"STRASSE!");
  EXPECT_EQ(label.lineColourRuns[0], Own(4) + Record(4, 255, 0, 0, 0));
  EXPECT_EQ(label.GetText(), u"STRA#C0000FFSSE!");

  // Unpaired surrogates pass through unchanged.
  label.SetText(
      std::u16string(u"a\xD800"
                     u"b\xDC00"));
  EXPECT_EQ(label.lines[0], std::u16string(u"A\xD800"
                                           u"B\xDC00"));
}

TEST_F(LabelTest, WordWrapBreaksAfterBreakCharactersAndCarriesRuns) {
  TQGUI_Label& label = Label(0, 0, 0);
  const int space = Width(label, u" ");
  const int word = Width(label, u"abcd");
  label.w = word + space + word / 2 + 6;
  label.SetText(u"abcd abcd(xxxxxxxxxx #CFF0000abcdabcdabcd");
  label.SetWordWrap(true);
  ASSERT_GE(label.wrappedLines.size(), 3u);
  // The break character stays at the end of the line it ends.
  EXPECT_EQ(label.wrappedLines[0], u"abcd ");
  EXPECT_EQ(label.wrappedLines[1].back(), u'(');
  std::u16string joined;
  for (const auto& line : label.wrappedLines) joined += line;
  EXPECT_EQ(joined, label.lines[0]);
  // A word longer than the width is cut where the font stops fitting.
  const std::u16string& last = label.wrappedLines.back();
  EXPECT_LE(Width(label, last), label.w - 6 + Width(label, u"d"));
  // Runs follow the characters: each wrapped line's runs cover exactly its text.
  size_t coloured = 0;
  for (size_t i = 0; i < label.wrappedLines.size(); ++i) {
    int covered = 0;
    for (int count : Counts(label.wrappedColourRuns[i])) covered += count;
    EXPECT_EQ(size_t(covered), label.wrappedLines[i].size()) << i;
    if (label.wrappedColourRuns[i].find(Record(1, 0, 0, 255, 0).substr(1)) != std::string::npos) ++coloured;
  }
  EXPECT_GE(coloured, 2u);

  // Narrower than one character, or no width at all: the rest goes on one line.
  for (int width : {3, 0, -50}) {
    label.w = width;
    label.Rewrap();
    ASSERT_EQ(label.wrappedLines.size(), 1u) << width;
    EXPECT_EQ(label.wrappedLines[0], label.lines[0]);
  }
  label.SetWordWrap(false);
  EXPECT_TRUE(label.wrappedLines.empty());
}

TEST_F(LabelTest, WrappingWaitsForTheFontAndFollowsResizes) {
  auto& label = static_cast<TQGUI_Label&>(Make(TYPE_LABEL));
  label.w = 60;
  label.SetText(u"one two three four five");
  label.SetWordWrap(true);
  EXPECT_TRUE(label.wrapPending);
  EXPECT_TRUE(label.wrappedLines.empty());
  Frame();
  EXPECT_FALSE(label.wrapPending);
  size_t narrow = label.wrappedLines.size();
  EXPECT_GT(narrow, 1u);
  label.SetWidth(1000);
  Frame();
  EXPECT_EQ(label.wrappedLines.size(), 1u);
  // A case change reaches the wrapped copies too.
  label.SetTextCase(CASE_UPPER);
  EXPECT_EQ(label.wrappedLines[0], u"ONE TWO THREE FOUR FIVE");
}

TEST_F(LabelTest, HeightFollowsTheFontUntilSetExplicitly) {
  TQGUI_Label& label = Label(0, 0, 200, u"text");
  const int lh = LineHeight(label);
  label.h = 100;
  Frame();
  EXPECT_EQ(label.h, lh);
  label.SetHeight(3);
  EXPECT_FALSE(label.heightFollowsFont);
  Frame();
  EXPECT_EQ(label.h, lh);
  label.SetHeight(100);
  Frame();
  EXPECT_EQ(label.h, 100);
  // A wrapping label keeps a bigger height but is never lower than a line.
  TQGUI_Label& wrapping = Label(0, 0, 200, u"text");
  wrapping.SetWordWrap(true);
  wrapping.h = 90;
  Frame();
  EXPECT_EQ(wrapping.h, 90);
  wrapping.h = 2;
  Frame();
  EXPECT_EQ(wrapping.h, lh);
}

TEST_F(LabelTest, AutoSizeGrowsToTheTextAndNeverShrinks) {
  TQGUI_Label& label = Label(0, 0, 10, u"short\ra much longer line");
  label.autosize = true;
  Frame();
  const int widest = Width(label, u"a much longer line");
  EXPECT_EQ(label.w, widest + 4);
  label.SetText(u"x");
  label.autosizePending = true;
  Frame();
  EXPECT_EQ(label.w, widest + 4);

  // Wrapping auto-size: as wide as the widest line, capped, then as high as its lines.
  TQGUI_Label& wrapping = Label(0, 0, 10, u"one two three four five six seven");
  wrapping.autosize = true;
  wrapping.autoMaxWidth = 80;
  wrapping.SetWordWrap(true);
  Frame();
  EXPECT_EQ(wrapping.w, 80);
  EXPECT_GT(wrapping.wrappedLines.size(), 1u);
  EXPECT_EQ(wrapping.h, int(wrapping.wrappedLines.size()) * (LineHeight(wrapping) + 2));
  EXPECT_FALSE(wrapping.textChanged);
}

TEST_F(LabelTest, AlignmentPlacesLinesAndDownPixelsPushesThem) {
  TQGUI_Label& label = Label(10, 20, 300, u"ab\rcd");
  label.SetHeight(100);
  const int lh = LineHeight(label);
  const int width = Width(label, u"ab");
  struct Case {
    uint8_t hAlign, vAlign;
    int x, y;
  };
  const Case cases[] = {
      {ALIGN_LEFT, ALIGN_TOP, 10 + 4, 20},
      {ALIGN_MIDDLE, ALIGN_VMIDDLE, 10 + 150 - width / 2, 20 + 50 - lh},
      {ALIGN_RIGHT, ALIGN_BOTTOM, 10 + 300 - 4 - width, 20 + 100 - 2 * lh},
  };
  for (const Case& c : cases) {
    label.hAlign = c.hAlign;
    label.vAlign = c.vAlign;
    std::vector<Quad> quads = Frame();
    ASSERT_EQ(quads.size(), 4u);
    EXPECT_EQ(Pen(label, quads[0], u'a'), std::make_pair(c.x, c.y)) << int(c.hAlign);
    EXPECT_EQ(Pen(label, quads[2], u'c').second, c.y + lh);
  }
  // Bottom-up: the last line sits on the bottom edge, whatever the alignment.
  label.topDown = false;
  label.textMargin = 3;
  std::vector<Quad> quads = Frame();
  EXPECT_EQ(Pen(label, quads[2], u'c').second, 20 + 100 - 3 - lh);
  EXPECT_EQ(Pen(label, quads[0], u'a').second, 20 + 100 - 3 - 2 * lh);

  label.topDown = true;
  label.textMargin = 0;
  label.vAlign = ALIGN_TOP;
  label.downPixels = 2;
  gui->MouseDown(0, 20, 30);
  quads = Frame();
  EXPECT_EQ(Pen(label, quads[0], u'a').second, 22);
  gui->MouseUp(0, 20, 30);
  quads = Frame();
  EXPECT_EQ(Pen(label, quads[0], u'a').second, 20);
}

TEST_F(LabelTest, ColourFollowsDisabledHoverAndNoHighlight) {
  TQGUI_Label& label = Label(0, 0, 200, u"a#C0000FFb");
  label.font.col = {0.5f, 0.5f, 0.5f, 1};
  label.font.colOver = {1, 1, 0, 1};
  label.font.colDisabled = {0.2f, 0.2f, 0.2f, 1};
  auto colours = [&] {
    std::vector<Quad> quads = Frame();
    return std::make_pair(quads.at(0).colour, quads.at(1).colour);
  };
  using C = std::array<float, 4>;
  EXPECT_EQ(colours(), std::make_pair(C{0.5f, 0.5f, 0.5f, 1}, C{1, 0, 0, 1}));
  gui->MouseMove(5, 5);
  EXPECT_EQ(colours().first, (C{1, 1, 0, 1}));
  label.noHighlight = true;
  EXPECT_EQ(colours().first, (C{0.5f, 0.5f, 0.5f, 1}));
  label.SetDisabled(true);
  EXPECT_EQ(colours().first, (C{0.2f, 0.2f, 0.2f, 1}));
  // Nothing is drawn in a colour without alpha.
  label.font.colDisabled.alpha = 0;
  EXPECT_TRUE(Frame().empty());
}

TEST_F(LabelTest, GlyphBesideTheTextShiftsIt) {
  PngSpec spec = MakePngSpec(12, 8, PNG_COLOR_TYPE_RGB_ALPHA, 8, false);
  spec.samples.assign(12 * 8 * 4, 255);
  WriteInterfaceFile("glyph.png", EncodePNG(spec));
  TQGUI_Label& label = Label(10, 20, 200, u"a");
  label.SetHeight(30);
  label.vAlign = ALIGN_TOP;
  label.SetSlotTexture(SLOT_GLYPH, "glyph.png");
  label.font.col.alpha = 0.5f;

  std::vector<Quad> quads = Frame();
  ASSERT_EQ(quads.size(), 2u);
  // Centred on the label's height, 4 pixels in from the left.
  EXPECT_EQ(quads[0].x, 14);
  EXPECT_EQ(768 - quads[0].y - quads[0].h, 20 + 15 - 4);
  EXPECT_EQ(quads[0].w, 12);
  EXPECT_EQ(quads[0].colour, (std::array<float, 4>{1, 1, 1, 0.5f}));
  EXPECT_EQ(Pen(label, quads[1], u'a').first, 10 + 12 + 4);

  label.glyphAlign = 1;
  label.hAlign = ALIGN_RIGHT;
  quads = Frame();
  EXPECT_EQ(quads[0].x, 10 + 200 - 4 - 12);
  EXPECT_EQ(Pen(label, quads[1], u'a').first, 10 + 200 - 4 - Width(label, u"a") - 12);

  // Align 2 draws no glyph and does not move the text.
  label.glyphAlign = 2;
  quads = Frame();
  ASSERT_EQ(quads.size(), 1u);
  EXPECT_EQ(Pen(label, quads[0], u'a').first, 10 + 200 - 4 - Width(label, u"a"));
}

TEST_F(LabelTest, MarqueeScrollsPausesAndReturns) {
  TQGUI_Label& label = Label(0, 0, 100);
  // A text 30 pixels too wide: text width + 2 - width = 30.
  const std::u16string text = u"marquee text";
  label.w = Width(label, text) + 2 - 30;
  label.SetText(text);
  label.SetScrollText(true);
  delta = 0.1001;
  std::vector<int> shifts, offsets;
  for (int frame = 0; frame < 200; ++frame) {
    Frame();
    shifts.push_back(label.MarqueeShift());
    offsets.push_back(label.marqueeOffset);
  }
  // 34 steps left (3.4 s), 0.75 s still, 34 steps back, 0.75 s still, again.
  EXPECT_EQ(offsets[33], -34);
  int still = 0;
  for (size_t i = 34; i < offsets.size() && offsets[i] == -34; ++i) ++still;
  EXPECT_EQ(still, 8);  // 8 frames of 0.1001 s reach 0.75 s
  EXPECT_EQ(offsets[34 + 8], -33);
  EXPECT_EQ(offsets[34 + 8 + 33], 0);
  EXPECT_EQ(offsets[34 + 8 + 34 + 8], -1);
  EXPECT_EQ(*std::min_element(shifts.begin(), shifts.end()), -30);
  EXPECT_EQ(*std::max_element(shifts.begin(), shifts.end()), 0);

  // A text that fits never moves; a second line stops the marquee.
  label.w = 1000;
  label.SetScrollText(true);
  for (int frame = 0; frame < 20; ++frame) Frame();
  EXPECT_EQ(label.MarqueeShift(), 0);
  label.w = 10;
  label.SetText(text + u"\rsecond");
  Frame();
  EXPECT_EQ(label.MarqueeShift(), 0);
  // Clock values no frame timer gives are not taken.
  label.SetText(text);
  for (double bad : {-5.0, std::nan(""), 1e12}) {
    delta = bad;
    Frame();
  }
  EXPECT_GE(label.marqueeOffset, -40);
}

TEST_F(LabelTest, ScissorSkipsLinesOutsideTheLabel) {
  std::u16string text;
  for (int i = 0; i < 1000; ++i) text += u"line\r";
  TQGUI_Label& label = Label(0, 100, 200, text);
  label.SetHeight(60);
  label.vAlign = ALIGN_TOP;
  label.scissor = true;
  const int lh = LineHeight(label);
  std::vector<Quad> quads = Frame();
  // Each line draws four glyph quads; the lines touching the 60 pixels are drawn.
  const size_t expected = size_t(60 / lh + 1);
  EXPECT_GE(quads.size() / 4, expected);
  EXPECT_LE(quads.size() / 4, expected + 1);
  // Scrolled by the line offset, other lines show.
  label.lineOffset = 500 * lh;
  quads = Frame();
  // The line ending on the top edge still counts as touching it.
  EXPECT_EQ(Pen(label, quads.at(0), u'l').second, 100 - lh);
  EXPECT_EQ(Pen(label, quads.at(4), u'l').second, 100);
  // Without the scissor the lines below the view still cost nothing.
  label.scissor = false;
  label.lineOffset = 0;
  quads = Frame();
  EXPECT_LE(quads.size() / 4, size_t((768 - 100) / lh + 3));
}

TEST_F(LabelTest, AddLineAppendsAsIfTheWholeTextWereSetAgain) {
  TQGUI_Label& label = Label(0, 0, 200);
  label.SetText(u"");
  label.AddLine(u"first");
  EXPECT_EQ(label.lines, (Lines{u"first"}));
  label.AddLine(u"#CFF0000red");
  label.AddLine(u"\nafter");  // the joining break swallows the LF
  label.AddLine(u"");
  label.AddLine(u"a\r\rb");
  EXPECT_EQ(label.lines, (Lines{u"first", u"red", u"after", u"a", u"", u"b"}));
  TQGUI_Label& whole = Label(0, 0, 200, label.GetText());
  EXPECT_EQ(whole.lines, label.lines);
  EXPECT_EQ(whole.lineColourRuns, label.lineColourRuns);
  EXPECT_EQ(label.lineColourRuns[2], Own(5));

  label.SetWordWrap(true);
  label.AddLine(u"wrapped too");
  EXPECT_EQ(label.wrappedLines.back(), u"wrapped too");
  label.SetText(u"\r");
  label.AddLine(u"x");
  EXPECT_EQ(label.lines, (Lines{u"x"}));  // the text was empty, so it is replaced
}

// Sizes that a script can hand a label stay linear and drawable.
TEST_F(LabelTest, HugeTextsStaySoundAndLinear) {
  TQGUI_Label& label = Label(0, 0, 400);
  label.scissor = true;
  label.SetHeight(200);

  std::u16string megabyte(512 * 1024, u'w');
  label.SetText(megabyte);
  ASSERT_EQ(label.lines.size(), 1u);
  EXPECT_LT(Frame().size(), 1200u);  // what fits across the view, not half a million quads
  label.SetWordWrap(true);
  EXPECT_GT(label.wrappedLines.size(), 1000u);
  Frame();
  label.w = 0;
  label.Rewrap();
  EXPECT_EQ(label.wrappedLines.size(), 1u);
  label.SetWordWrap(false);

  std::u16string many;
  for (int i = 0; i < 100000; ++i) many += u"line\n";
  label.SetText(u"\r" + std::u16string(100000, u'\n'));
  EXPECT_EQ(label.lines.size(), 1u);
  label.SetText(many);
  EXPECT_EQ(label.lines.size(), 100000u);
  EXPECT_EQ(label.GetText().size(), many.size() - 1);

  std::u16string codes;
  for (int i = 0; i < 10000; ++i) codes += i % 2 ? u"#C00FF00" : u"#CFF0000";
  label.SetText(codes + u"x" + codes);
  EXPECT_EQ(label.lines, (Lines{u"x"}));
  label.SetText(codes + codes.substr(0, 5));
  EXPECT_EQ(label.lines, (Lines{u"#CFF0"}));

  std::u16string broken = u"\xDC00\xD800\xD800\xDFFF";
  label.SetTextCase(CASE_TITLE);
  label.SetText(broken + u"#C0000FF" + broken);
  EXPECT_EQ(label.lines[0].size(), 8u);
  Frame();
}
