#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <set>

#include "QGUI/CheckBox.h"
#include "QGUI/CustomListBox.h"
#include "QGUI/Edit.h"
#include "QGUI/Label.h"
#include "QGUI/Listbox.h"
#include "QGUI/ProgressBar.h"
#include "QGUI/Properties.h"
#include "QGUI/ScriptInterface.h"
#include "QGUI/ScrollBox.h"
#include "QGUI/Scrollbar.h"
#include "ScriptFixture.h"

namespace {

using Strings = std::vector<std::string>;
using E = TQGUI_Element;

struct RoundTrip {
  const char* property;
  const char* values;                    // qgui_set's arguments after the property
  const char* read;                      // show() of qgui_get afterwards
  std::function<bool(const E&)> stored;  // the field the value must land in
};

const RoundTrip kRoundTrips[] = {
    {"PROP_X", "12.9", "12", [](const E& e) { return e.x == 12; }},
    {"PROP_Y", "-3.7", "-3", [](const E& e) { return e.y == -3; }},
    {"PROP_W", "30", "30", [](const E& e) { return e.w == 30 && e.resizePending; }},
    {"PROP_H", "'41'", "41", [](const E& e) { return e.h == 41; }},
    {"PROP_COL1", "255, 0, 0, 255", "alpha=255 blue=0 green=0 red=255",
     [](const E& e) {
       return e.col1 == TQGUIColour{1, 0, 0, 1};
     }},
    {"PROP_COL2", "0, 255, 0, 0", "alpha=0 blue=0 green=255 red=0",
     [](const E& e) {
       return e.col2 == TQGUIColour{0, 1, 0, 0};
     }},
    {"PROP_FONT_COL", "0, 0, 255, 255", "alpha=255 blue=255 green=0 red=0",
     [](const E& e) {
       return e.font.col == TQGUIColour{0, 0, 1, 1};
     }},
    {"PROP_FONT_NAME", "'Tahoma_70_Fixed_16_2.DFF;0.29;0.1;0.6;2'", "Tahoma_70_Fixed_16_2.DFF",
     [](const E& e) { return e.font.charGap == 2 && std::abs(double(e.font.scale) - 0.29) < 1e-9; }},
    {"PROP_GRADIENT", "0", "true", [](const E& e) { return e.gradient; }},
    {"PROP_TEXTURE", "'a.png'", "a.png", [](const E& e) { return e.Slot(SLOT_MAIN).name == "a.png"; }},
    {"PROP_VISIBLE", "nil", "false", [](const E& e) { return !e.visible; }},
    {"PROP_ANCHOR", "true, false, false, true", "bottom=true left=true right=false top=false",
     [](const E& e) { return e.anchors.left && !e.anchors.right && !e.anchors.top && e.anchors.bottom; }},
    {"PROP_NOMOUSEEVT", "'no'", "true", [](const E& e) { return e.noMouseEvents; }},
    {"PROP_TEXTURE2", "'b.png'", "b.png", [](const E& e) { return e.Slot(SLOT_TEXTURE2).name == "b.png"; }},
    {"PROP_ALPHA", "255", "255", [](const E& e) { return e.alpha == 1; }},
    {"PROP_HIGHLIGHTCOL", "255, 255, 0, 0", "alpha=0 blue=0 green=255 red=255",
     [](const E& e) {
       return e.highlightCol == TQGUIColour{1, 1, 0, 0};
     }},
    {"PROP_DISABLED", "true", "true", [](const E& e) { return e.disabled; }},
    {"PROP_FONT_COL_DISABLED", "255, 0, 255, 0", "alpha=0 blue=255 green=0 red=255",
     [](const E& e) {
       return e.font.colDisabled == TQGUIColour{1, 0, 1, 0};
     }},
    {"PROP_FONT_COL_OVER", "0, 255, 255, 0", "alpha=0 blue=255 green=255 red=0",
     [](const E& e) {
       return e.font.colOver == TQGUIColour{0, 1, 1, 0};
     }},
    {"PROP_AUTOSIZE", "true", "true", [](const E& e) { return e.autosize; }},
    {"PROP_BEVEL", "true", "true", [](const E& e) { return e.bevel; }},
    {"PROP_BEVEL_COL1", "0, 0, 0, 255", "alpha=255 blue=0 green=0 red=0",
     [](const E& e) {
       return e.bevelCol1 == TQGUIColour{0, 0, 0, 1};
     }},
    {"PROP_BEVEL_COL2", "255, 255, 255, 255", "alpha=255 blue=255 green=255 red=255",
     [](const E& e) {
       return e.bevelCol2 == TQGUIColour{1, 1, 1, 1};
     }},
    {"PROP_GLYPH", "'g.png'", "g.png", [](const E& e) { return e.Slot(SLOT_GLYPH).name == "g.png"; }},
    {"PROP_GLYPH_ALIGN", "258", "2", [](const E& e) { return e.glyphAlign == 2; }},
    {"PROP_WORDWRAP", "true", "true", [](const E& e) { return e.wordWrap; }},
    {"PROP_TEXTURE_BLEND", "false", "false", [](const E& e) { return !e.textureBlend; }},
    {"PROP_TILE", "true", "true", [](const E& e) { return e.tile; }},
    {"PROP_FALLBTEXTURE", "'f.png'", "f.png", [](const E& e) { return e.fallbackTexture == "f.png"; }},
    {"PROP_GRADIENT_COL1", "0, 255, 0, 255", "alpha=255 blue=0 green=255 red=0",
     [](const E& e) {
       return e.gradientCol1 == TQGUIColour{0, 1, 0, 1};
     }},
    {"PROP_GRADIENT_COL2", "255, 0, 0, 0", "alpha=0 blue=0 green=0 red=255",
     [](const E& e) {
       return e.gradientCol2 == TQGUIColour{1, 0, 0, 0};
     }},
    {"PROP_EDGES", "true", "true", [](const E& e) { return e.edges; }},
    {"PROP_SHADOWTEXT", "true", "true", [](const E& e) { return e.shadowText; }},
    {"PROP_NOMOUSEEVTTHIS", "true", "true", [](const E& e) { return e.noMouseEventsThis; }},
    {"PROP_STRIKETHROUGH", "true", "true", [](const E& e) { return e.font.style == STYLE_STRIKETHROUGH; }},
    {"PROP_UNDERLINE", "true", "true", [](const E& e) { return e.font.style == STYLE_UNDERLINE; }},
    {"PROP_TEXTURE3", "'c.png'", "c.png", [](const E& e) { return e.Slot(SLOT_TEXTURE3).name == "c.png"; }},
    {"PROP_FONT_COL_BACK", "0, 0, 255, 0", "alpha=0 blue=255 green=0 red=0",
     [](const E& e) {
       return e.font.colBack == TQGUIColour{0, 0, 1, 0};
     }},
    {"PROP_BORDER_SIZE", "300", "44", [](const E& e) { return e.borderSize == 44; }},
    {"PROP_BORDER_TYPE", "BORDER_TYPE_OUTER", "2", [](const E& e) { return e.borderType == 2; }},
    {"PROP_BORDER_COLOUR", "255, 0, 0, 0", "alpha=0 blue=0 green=0 red=255",
     [](const E& e) {
       return e.borderColour == TQGUIColour{1, 0, 0, 0};
     }},
    {"PROP_ANIM_LOOP", "false", "false", [](const E& e) { return !e.animLoop; }},
    {"PROP_ANIM_PLAY", "false", "false", [](const E& e) { return !e.animPlay; }},
    {"PROP_OVERDRAW", "true", "true", [](const E& e) { return e.overdraw; }},
    {"PROP_SUBTEXTURE", "true", "true", [](const E& e) { return e.subTexture; }},
    {"PROP_SUBCOORDS", "1, 2.5, 3, 4", "[1]=1 [2]=2 [3]=3 [4]=4",
     [](const E& e) {
       return e.subCoords == std::array<int32_t, 4>{1, 2, 3, 4};
     }},
    {"PROP_HINT", "'h\xc3\xa9 \xe4\xb8\xad'", "h\xc3\xa9 \xe4\xb8\xad",
     [](const E& e) { return e.hint == u"h\u00e9 \u4e2d"; }},
    {"PROP_EDGES_TEXTURE", "'e.png'", "e.png", [](const E& e) { return e.Slot(SLOT_EDGES).name == "e.png"; }},
    {"PROP_SCISSOR", "true", "true", [](const E& e) { return e.scissor; }},
    {"PROP_TAG", "-5.5", "-5", [](const E& e) { return e.tag == -5; }},
    {"PROP_OUTLINE", "true", "true", [](const E& e) { return e.font.style == STYLE_OUTLINE; }},
    {"PROP_TEXTURE_LINEAR", "false", "false", [](const E& e) { return !e.Slot(SLOT_MAIN).linear; }},
    {"PROP_MOUSEOVERCOL", "0, 0, 0, 0", "alpha=0 blue=0 green=0 red=0",
     [](const E& e) {
       return e.mouseOverCol == TQGUIColour{0, 0, 0, 0};
     }},
    {"PROP_SCISSOR_BORDER", "7", "7", [](const E& e) { return e.scissorBorder == 7; }},
    {"PROP_FONT_SCALE", "0.75", "0.75", [](const E& e) { return e.font.scale == 0.75L; }},
    {"PROP_SHADER_TIME", "1.5", "1.5", [](const E& e) { return e.shaderTime == 1.5f; }},
    {"PROP_OUTLINE2", "true", "true", [](const E& e) { return e.font.style == STYLE_OUTLINE2; }},
    {"PROP_FONT_CHARGAP", "65537", "1", [](const E& e) { return e.font.charGap == 1; }},
};

}  // namespace

class PropertiesTest : public ScriptTest {};

TEST_F(PropertiesTest, EverySettablePropertyOfAPlainElementReadsBackFromItsField) {
  for (const RoundTrip& row : kRoundTrips) {
    TQGUI_Element& e = Created("e");
    Run(std::string("qgui_set(e, ") + row.property + ", " + row.values + ")");
    EXPECT_EQ(Show(std::string("qgui_get(e, ") + row.property + ")"), row.read) << row.property;
    EXPECT_TRUE(row.stored(e)) << row.property;
    Run("qgui_delete(e)");
  }
  EXPECT_TRUE(reports.empty()) << reports.front().second;
}

TEST_F(PropertiesTest, ColoursAndAlphaReadBackAsTheStoredFloatTimes255) {
  TQGUI_Element& e = Created("e");
  Run("qgui_set(e, PROP_COL1, 255, 0, 0, 128)");
  EXPECT_EQ(e.col1, (TQGUIColour{1, 0, 0, 128 / 255.0f}));
  EXPECT_NEAR(e.col1.alpha, 0.50196, 1e-5);
  EXPECT_EQ(Number("qgui_get(e, PROP_COL1).alpha"), double(128 / 255.0f) * 255);
  EXPECT_NEAR(Number("qgui_get(e, PROP_COL1).alpha"), 128.0000076, 1e-7);
  EXPECT_EQ(Number("qgui_get(e, PROP_COL1).red"), 255);

  Run("qgui_set(e, PROP_ALPHA, 127.9)");
  EXPECT_EQ(e.alpha, 127 / 255.0f);
  EXPECT_NEAR(Number("qgui_get(e, PROP_ALPHA)"), 127.00000003, 1e-8);
  // Values outside 0..255 are divided as they are.
  Run("qgui_set(e, PROP_COL2, 510, -255, 0, 0)");
  EXPECT_EQ(e.col2, (TQGUIColour{2, -1, 0, 0}));
}

TEST_F(PropertiesTest, TablesUseTheirOwnKeysAndAnchorsTheirOwnOrder) {
  Created("e");
  // left, right, top, bottom in, keyed tables out: stretched horizontally, kept at the top.
  Run("qgui_set(e, PROP_ANCHOR, true, true, true, false)");
  EXPECT_EQ(Show("qgui_get(e, PROP_ANCHOR)"), "bottom=false left=true right=true top=true");
  Run("qgui_set(e, PROP_SUBCOORDS, 5, 6, 7, 8)");
  EXPECT_EQ(Number("qgui_get(e, PROP_SUBCOORDS)['[1]']"), 5);
  EXPECT_EQ(Number("qgui_get(e, PROP_SUBCOORDS)['[4]']"), 8);
  EXPECT_EQ(Show("qgui_get(e, PROP_SUBCOORDS)[1]"), "nil");
}

TEST_F(PropertiesTest, ReadOnlyAndWriteOnlyPropertiesKeepTheirRules) {
  TQGUI_Element& parent = Created("p");
  TQGUI_Element& bar = Created("bar");
  TQGUI_Element& e = Created("e", "TYPE_ELEMENT, p");
  Run("qgui_set(p, PROP_X, 30) qgui_set(e, PROP_X, 4) qgui_set(e, PROP_Y, 9)");
  Run("qgui_set(e, PROP_ABS_X, 10) qgui_set(e, PROP_ABS_Y, 10)");
  EXPECT_EQ(e.x, 4);
  EXPECT_EQ(Show("qgui_get(e, PROP_ABS_X), qgui_get(e, PROP_ABS_Y)"), "34");
  EXPECT_EQ(Number("qgui_get(e, PROP_ABS_Y)"), 9);

  // The scroll bar references always read -1, even once attached (here to a plain
  // element, which is reported but kept).
  Run("qgui_set(e, PROP_SCROLLBAR, bar) qgui_set(e, PROP_SCROLLBAR2, bar)");
  EXPECT_EQ(Show("qgui_get(e, PROP_SCROLLBAR)"), "-1");
  EXPECT_EQ(Show("qgui_get(e, PROP_SCROLLBAR2)"), "-1");
  EXPECT_EQ(Show("qgui_get(e, PROP_SHADER)"), "-1");
  EXPECT_EQ(ReportsFrom("QGUI_Set"),
            (Strings(2, "Element with ID <" + std::to_string(bar.id) + "> is not a TYPE_SCROLLBAR")));
  Run("qgui_set(e, PROP_SCROLLBAR, 999)");
  EXPECT_EQ(ReportsFrom("QGUI_Set").back(), "Unable to find Scrollbar with ID <999>");

  reports.clear();
  Run("qgui_set(e, PROP_LINE, 1)");
  EXPECT_EQ(ReportsFrom("QGUI_Set"), (Strings{"<32> is not a valid PROP"}));
  EXPECT_EQ(Show("qgui_get(e, PROP_INVALIDCHARS)"), "none");
  EXPECT_EQ(parent.x, 30);
}

TEST_F(PropertiesTest, ClassPropertiesGiveNoValueAndChangeNothingOnAPlainElement) {
  Created("e");
  const char* classOnly[] = {"PROP_TEXT",         "PROP_HALIGN",       "PROP_CHECKED",     "PROP_MINMAX",
                             "PROP_PROGRESS",     "PROP_INDEX",        "PROP_LINE",        "PROP_TEXTCASE",
                             "PROP_VALIGN",       "PROP_VERTICAL",     "PROP_ITEMHEIGHT",  "PROP_AUTOHIDESCROLL",
                             "PROP_AUTOMAXWIDTH", "PROP_INVALIDCHARS", "PROP_NOHIGHLIGHT", "PROP_TOPDOWN",
                             "PROP_DOWN_PIXELS",  "PROP_ISPASSWORD",   "PROP_SCROLL_TEXT"};
  for (const char* property : classOnly) {
    if (std::string(property) != "PROP_LINE") Run(std::string("qgui_set(e, ") + property + ", 1, 2)");
    EXPECT_EQ(Show(std::string("select('#', qgui_get(e, ") + property + "))"), "0") << property;
  }
  // The desktop is an element of every class rule's "every element".
  EXPECT_EQ(Show("qgui_get(desktop, PROP_W), qgui_get(-1, PROP_TEXT)"), "1024");
  EXPECT_TRUE(reports.empty()) << reports.front().second;
}

TEST_F(PropertiesTest, AnimationPlayRestartsTheMainSlot) {
  TQGUI_Element& e = Created("e");
  e.Slot(SLOT_MAIN).currentFrame = 5;
  e.Slot(SLOT_MAIN).timeAccumulator = 0.3;
  Run("qgui_set(e, PROP_ANIM_PLAY, false)");
  EXPECT_EQ(e.Slot(SLOT_MAIN).currentFrame, 5);
  Run("qgui_set(e, PROP_ANIM_PLAY, true)");
  EXPECT_TRUE(e.animPlay);
  EXPECT_EQ(e.Slot(SLOT_MAIN).currentFrame, 0);
  EXPECT_EQ(e.Slot(SLOT_MAIN).timeAccumulator, 0);
}

TEST_F(PropertiesTest, VisibilityAndDisablingRunTheirCallbacksOnlyOnTheChange) {
  TQGUI_Element& e = Created("e");
  LogOn(e, CALLBACK_HIDDEN, "hidden");
  LogOn(e, CALLBACK_DISABLED, "disabled");
  Run("qgui_set(e, PROP_VISIBLE, false) qgui_set(e, PROP_VISIBLE, false) qgui_set(e, PROP_VISIBLE, 1)");
  Run("qgui_set(e, PROP_DISABLED, true) qgui_set(e, PROP_DISABLED, true)");
  std::string id = std::to_string(e.id);
  EXPECT_EQ(Log(), (Strings{"hidden " + id, "disabled " + id}));
}

TEST_F(PropertiesTest, MissingWrongTypedAndHugeValuesAreReadAsLuaWouldAndKeptInRange) {
  TQGUI_Element& e = Created("e");
  Run("qgui_set(e, PROP_COL1)");  // too few arguments: refused
  EXPECT_EQ(e.col1, (TQGUIColour{1, 1, 1, 1}));
  Run("qgui_set(e, PROP_COL1, 255)");  // the missing components read as 0
  EXPECT_EQ(e.col1, (TQGUIColour{1, 0, 0, 0}));
  Run("qgui_set(e, PROP_X, {}) qgui_set(e, PROP_TEXTURE, {}) qgui_set(e, PROP_HINT, print)");
  EXPECT_EQ(e.x, 0);
  EXPECT_EQ(e.Slot(SLOT_MAIN).name, "");
  EXPECT_EQ(e.hint, u"");
  Run("qgui_set(e, PROP_TEXTURE, 12.5)");
  EXPECT_EQ(e.Slot(SLOT_MAIN).name, "12.5");

  Run("qgui_set(e, PROP_W, 1e300) qgui_set(e, PROP_H, -1/0) qgui_set(e, PROP_X, 0/0) qgui_set(e, PROP_TAG, 1e300)");
  EXPECT_EQ(e.w, kMaxCoordinate);
  EXPECT_EQ(e.h, -kMaxCoordinate);
  EXPECT_EQ(e.x, 0);
  EXPECT_EQ(e.tag, std::numeric_limits<int32_t>::max());
  Run("qgui_set(e, PROP_FONT_SCALE, 1e300) qgui_set(e, PROP_SHADER_TIME, 0/0)");
  EXPECT_EQ(Number("qgui_get(e, PROP_FONT_SCALE)"), 64);
  EXPECT_EQ(Show("qgui_get(e, PROP_SHADER_TIME) ~= qgui_get(e, PROP_SHADER_TIME)"), "true");
  Run("qgui_set(e, PROP_FONT_NAME, string.rep('x', 100000))");
  EXPECT_EQ(e.font.name.size(), 100000u);
  EXPECT_TRUE(ReportsFrom("QGUI_Set").size() == 1u);
}

TEST_F(PropertiesTest, InvalidUtf8TextIsRepairedNotRefused) {
  TQGUI_Element& e = Created("e");
  Run("qgui_set(e, PROP_HINT, 'a\\255\\192b')");
  EXPECT_EQ(e.hint.front(), u'a');
  EXPECT_EQ(e.hint.back(), u'b');
  EXPECT_NE(e.hint.find(u'\xfffd'), std::u16string::npos);
  EXPECT_EQ(Show("qgui_get(e, PROP_HINT):sub(1, 1)"), "a");
  // Text on a class that shows none changes nothing.
  Run("qgui_set(e, PROP_TEXT, 'a\\255b')");
  EXPECT_TRUE(ReportsFrom("QGUI_Set").empty());
}

TEST_F(PropertiesTest, ThePropertyTableIsInIdOrderWithUniqueNames) {
  std::set<std::string> names;
  for (const TQGUI_Property& property : Properties()) {
    EXPECT_EQ(FindProperty(property.id), &property);
    EXPECT_EQ(std::string(property.name).rfind("PROP_", 0), 0u);
    names.insert(property.name);
  }
  EXPECT_EQ(names.size(), size_t(kPropertyCount));
  EXPECT_EQ(FindProperty(-1), nullptr);
  EXPECT_EQ(FindProperty(kPropertyCount), nullptr);
}

TEST_F(PropertiesTest, SetFromTheProgramReadsValuesAsLuaWould) {
  TQGUI_Element& e = Created("e");
  SetProperty(e, PROP_X, {"12"});
  SetProperty(e, PROP_TEXTURE, {3.25});
  SetProperty(e, PROP_VISIBLE, {0});
  SetProperty(e, PROP_BEVEL, {"false"});
  SetProperty(e, PROP_GRADIENT, {false});
  SetProperty(e, PROP_Y, {true});
  EXPECT_EQ(e.x, 12);
  EXPECT_EQ(e.Slot(SLOT_MAIN).name, "3.25");
  EXPECT_TRUE(e.visible);
  EXPECT_TRUE(e.bevel);
  EXPECT_FALSE(e.gradient);
  EXPECT_EQ(e.y, 0);
}

TEST_F(PropertiesTest, LabelKindsTakeTextAlignmentCaseAndTheirFlags) {
  TQGUI_Label& label = static_cast<TQGUI_Label&>(Created("l", "TYPE_LABEL"));
  Run("qgui_set(l, PROP_TEXT, 'one\\rtwo') qgui_set(l, PROP_HALIGN, ALIGN_RIGHT) qgui_set(l, PROP_VALIGN, 258)");
  Run("qgui_set(l, PROP_TEXTCASE, CASE_UPPER) qgui_set(l, PROP_AUTOMAXWIDTH, 90.5) qgui_set(l, PROP_NOHIGHLIGHT, 1)");
  Run("qgui_set(l, PROP_TOPDOWN, false) qgui_set(l, PROP_DOWN_PIXELS, -2)");
  EXPECT_EQ(label.lines, (std::vector<std::u16string>{u"ONE", u"TWO"}));
  EXPECT_EQ(Show("qgui_get(l, PROP_TEXT)"), "ONE\rTWO");
  EXPECT_EQ(label.hAlign, ALIGN_RIGHT);
  EXPECT_EQ(Show("qgui_get(l, PROP_VALIGN), qgui_get(l, PROP_HALIGN)"), "2");
  EXPECT_EQ(Show("qgui_get(l, PROP_TEXTCASE)"), "2");
  EXPECT_EQ(Show("qgui_get(l, PROP_AUTOMAXWIDTH)"), "90");
  EXPECT_EQ(Show("qgui_get(l, PROP_NOHIGHLIGHT)"), "true");
  EXPECT_EQ(Show("qgui_get(l, PROP_TOPDOWN)"), "false");
  EXPECT_EQ(Show("qgui_get(l, PROP_DOWN_PIXELS)"), "-2");

  label.marqueeOffset = 7;
  Run("qgui_set(l, PROP_SCROLL_TEXT, true)");
  EXPECT_TRUE(label.scrollText);
  EXPECT_EQ(label.marqueeOffset, 0);
  EXPECT_EQ(Show("qgui_get(l, PROP_SCROLL_TEXT)"), "true");

  // Invalid UTF-8 is repaired; colour codes come back as they went in.
  Run("qgui_set(l, PROP_TEXTCASE, CASE_NORMAL) qgui_set(l, PROP_TEXT, 'a\\255b#C0000FFc')");
  EXPECT_EQ(label.lines[0], u"a\ufffdbc");
  EXPECT_EQ(Show("qgui_get(l, PROP_TEXT)"),
            "a\xef\xbf\xbd"
            "b#C0000FFc");
  EXPECT_TRUE(reports.empty()) << reports.front().second;
}

TEST_F(PropertiesTest, ListsTakeTheirTextIndexLinesAndRowHeight) {
  TQGUI_Listbox& list = static_cast<TQGUI_Listbox&>(Created("list", "TYPE_LISTBOX"));
  Run("qgui_set(list, PROP_TEXT, 'a\\rb\\rc') qgui_set(list, PROP_INDEX, 1)");
  EXPECT_EQ(list.items.size(), 3u);
  EXPECT_EQ(Show("qgui_get(list, PROP_TEXT)"), "a\rb\rc\r");
  EXPECT_EQ(Show("qgui_get(list, PROP_INDEX)"), "1");
  EXPECT_EQ(Show("qgui_get(list, PROP_LINE, 2)"), "c");
  EXPECT_EQ(Show("qgui_get(list, PROP_LINE, 3), qgui_get(list, PROP_LINE)"), "");
  EXPECT_EQ(Show("qgui_get(list, PROP_LINE)"), "a");

  TQGUI_CustomListBox& custom = static_cast<TQGUI_CustomListBox&>(Created("custom", "TYPE_CUSTOMLISTBOX"));
  Run("qgui_set(custom, PROP_ITEMHEIGHT, 33) QGUI_customlistbox_additem(custom, 'x') qgui_set(custom, PROP_INDEX, 0)");
  EXPECT_EQ(custom.itemHeight, 33);
  EXPECT_EQ(Show("qgui_get(custom, PROP_ITEMHEIGHT), qgui_get(custom, PROP_INDEX)"), "33");
  EXPECT_EQ(Show("qgui_get(custom, PROP_INDEX)"), "0");
  // Lines are the plain list's only.
  EXPECT_EQ(Show("qgui_get(custom, PROP_LINE, 0)"), "none");
  EXPECT_EQ(Show("qgui_get(custom, PROP_TEXT)"), "none");
  EXPECT_EQ(Show("qgui_get(list, PROP_ITEMHEIGHT)"), "none");
}

TEST_F(PropertiesTest, BarsAndScrollBoxesKeepTheirOwnAutoHide) {
  TQGUI_Scrollbar& bar = static_cast<TQGUI_Scrollbar&>(Created("bar", "TYPE_SCROLLBAR"));
  TQGUI_ScrollBox& box = static_cast<TQGUI_ScrollBox&>(Created("box", "TYPE_SCROLLBOX"));
  Run("qgui_set(bar, PROP_VERTICAL, false) qgui_set(bar, PROP_AUTOHIDESCROLL, false)");
  Run("qgui_set(box, PROP_AUTOHIDESCROLL, false) qgui_set(box, PROP_VERTICAL, false)");
  EXPECT_FALSE(bar.vertical);
  EXPECT_FALSE(bar.autoHide);
  EXPECT_FALSE(box.autoHideBars);
  EXPECT_EQ(Show("qgui_get(bar, PROP_VERTICAL), qgui_get(box, PROP_VERTICAL)"), "false");
  EXPECT_EQ(Show("select('#', qgui_get(box, PROP_VERTICAL))"), "0");
  EXPECT_EQ(Show("qgui_get(box, PROP_AUTOHIDESCROLL)"), "false");
  EXPECT_EQ(Show("qgui_get(bar, PROP_AUTOHIDESCROLL)"), "false");
  // Attached as the box's vertical bar, it is found and read back as -1 like any.
  Run("qgui_set(box, PROP_SCROLLBAR, bar)");
  EXPECT_EQ(box.Scrollbar(0), &bar);
  EXPECT_EQ(Show("qgui_get(box, PROP_SCROLLBAR)"), "-1");
  EXPECT_TRUE(reports.empty()) << reports.front().second;
}

TEST_F(PropertiesTest, CheckBoxesTakeTheirValueAndTellOnlyAChange) {
  TQGUI_CheckBox& box = static_cast<TQGUI_CheckBox&>(Created("box", "TYPE_CHECKBOX"));
  Created("bar", "TYPE_PROGRESSBAR");
  Run("qgui_setcallback(box, CALLBACK_CHECKED, \"log[#log+1]='checked %id %value'\")");
  Run("qgui_set(box, PROP_CHECKED, true) qgui_set(box, PROP_CHECKED, 1)");
  EXPECT_TRUE(box.checked);
  EXPECT_EQ(Show("qgui_get(box, PROP_CHECKED)"), "true");
  Run("qgui_set(box, PROP_CHECKED, nil) qgui_set(box, PROP_CHECKED, false)");
  EXPECT_FALSE(box.checked);
  EXPECT_EQ(Show("qgui_get(box, PROP_CHECKED)"), "false");
  const std::string id = std::to_string(box.id);
  EXPECT_EQ(Log(), (Strings{"checked " + id + " true", "checked " + id + " false"}));

  // The bar has no check state; the box has no range.
  Run("qgui_set(bar, PROP_CHECKED, true)");
  EXPECT_EQ(Show("qgui_get(bar, PROP_CHECKED)"), "none");
  EXPECT_EQ(Show("qgui_get(box, PROP_MINMAX)"), "none");
  EXPECT_EQ(Show("qgui_get(box, PROP_PROGRESS)"), "none");
  EXPECT_TRUE(reports.empty()) << reports.front().second;
}

TEST_F(PropertiesTest, ProgressBarsKeepTheirRangeAndAnUnclampedValue) {
  TQGUI_ProgressBar& bar = static_cast<TQGUI_ProgressBar&>(Created("bar", "TYPE_PROGRESSBAR"));
  Run("qgui_setcallback(bar, CALLBACK_PROGRESS, \"log[#log+1]='progress %p'\")");
  Run("qgui_set(bar, PROP_PROGRESS, 150) qgui_set(bar, PROP_PROGRESS, 150.9)");
  EXPECT_EQ(bar.progress, 150);
  EXPECT_EQ(Show("qgui_get(bar, PROP_PROGRESS)"), "150");
  EXPECT_EQ(bar.FillWidth(), int32_t(std::lround(1.5 * (bar.w - 2))));

  // A new range neither clamps the value nor tells the script.
  Run("qgui_set(bar, PROP_MINMAX, -10.5, 20)");
  EXPECT_EQ(bar.minValue, -10);
  EXPECT_EQ(bar.maxValue, 20);
  EXPECT_EQ(bar.progress, 150);
  EXPECT_EQ(Show("qgui_get(bar, PROP_MINMAX)"), "max=20 min=-10");
  Run("qgui_set(bar, PROP_PROGRESS, -10)");
  EXPECT_EQ(bar.FillWidth(), 0);
  EXPECT_EQ(Log(), (Strings{"progress 150", "progress -10"}));
  EXPECT_TRUE(reports.empty()) << reports.front().second;
}

TEST_F(PropertiesTest, EditsRefuseTheirInvalidCharactersWhenTypedAndMaskAPassword) {
  TQGUI_Edit& edit = static_cast<TQGUI_Edit&>(Created("edit", "TYPE_EDIT"));
  Created("label", "TYPE_LABEL");
  Run("qgui_set(label, PROP_Y, 300)");
  Run("qgui_set(edit, PROP_X, 10) qgui_set(edit, PROP_Y, 10) qgui_set(edit, PROP_W, 200) qgui_set(edit, PROP_H, 24)");
  Run("qgui_set(edit, PROP_TEXT, '') qgui_set(edit, PROP_INVALIDCHARS, 'a\xc3\xa9')");
  EXPECT_EQ(edit.invalidChars, u"a\u00e9");
  EXPECT_EQ(Show("qgui_get(edit, PROP_INVALIDCHARS)"), "none");
  Click(20, 15);
  ASSERT_EQ(gui->keyboardFocus, &edit);
  for (char16_t c : std::u16string(u"xa\u00e9yA")) gui->KeyChar(c);
  EXPECT_EQ(edit.Text(), u"xyA");

  Run("qgui_set(edit, PROP_ISPASSWORD, true) qgui_set(label, PROP_ISPASSWORD, true)");
  EXPECT_TRUE(edit.isPassword);
  EXPECT_EQ(Show("qgui_get(edit, PROP_ISPASSWORD)"), "true");
  EXPECT_EQ(Show("qgui_get(label, PROP_ISPASSWORD)"), "none");
  Run("qgui_set(label, PROP_INVALIDCHARS, 'x')");

  // The masked text draws the glyphs of as many stars as it has characters.
  auto glyphs = [&] {
    renderer.quads.clear();
    RenderFrame();
    std::vector<std::array<float, 4>> drawn;
    for (const RecordingRenderer::Quad& q : renderer.quads)
      if (q.texture != renderer.whiteTexture) drawn.push_back({q.u, q.v, q.du, q.dv});
    return drawn;
  };
  gui->keyboardFocus = nullptr;  // no caret
  Run("qgui_set(label, PROP_VISIBLE, false)");
  const auto masked = glyphs();
  Run("qgui_set(edit, PROP_ISPASSWORD, false) qgui_set(edit, PROP_TEXT, '***')");
  EXPECT_EQ(masked, glyphs());
  EXPECT_EQ(masked.size(), 3u);
  Run("qgui_set(edit, PROP_TEXT, 'xyA')");
  EXPECT_NE(masked, glyphs());
  EXPECT_TRUE(reports.empty()) << reports.front().second;
}
