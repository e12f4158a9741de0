#include <gtest/gtest.h>

#include "QGUI/Callbacks.h"
#include "QGUI/CustomListBox.h"
#include "QGUI/ElementTypes.h"
#include "QGUI/Label.h"
#include "QGUI/Properties.h"
#include "QGUI/ScriptInterface.h"
#include "QGUI/ScrollBox.h"
#include "QGUI/Scrollbar.h"
#include "ScriptFixture.h"
#include "script/LuaBindings.h"

namespace {

using Strings = std::vector<std::string>;
using Report = std::pair<std::string, std::string>;

const char kTypesAndDesktop[] =
    "TYPE_ELEMENT=0;TYPE_LABEL=1;TYPE_CHECKBOX=2;TYPE_PROGRESSBAR=3;TYPE_LISTBOX=4;TYPE_SCROLLBAR=5;TYPE_EDIT=6;"
    "TYPE_TEXTBOX=7;TYPE_SCROLLBOX=8;TYPE_CUSTOMLISTBOX=9;TYPE_IMAGEBUTTON=10;TYPE_SPRITEMAPBUTTON=11;"
    "TYPE_UNITLIST=12;TYPE_SPRITEMAPBUTTONS=13;desktop=0;";
const char kProperties[] =
    "PROP_X=0;PROP_Y=1;PROP_W=2;PROP_H=3;PROP_COL1=4;PROP_COL2=5;PROP_FONT_COL=6;PROP_FONT_NAME=7;PROP_GRADIENT=8;"
    "PROP_TEXTURE=9;PROP_TEXT=10;PROP_VISIBLE=11;PROP_ANCHOR=12;PROP_HALIGN=13;PROP_NOMOUSEEVT=14;PROP_TEXTURE2=15;"
    "PROP_CHECKED=16;PROP_MINMAX=17;PROP_PROGRESS=18;PROP_ALPHA=19;PROP_SCROLLBAR=20;PROP_INDEX=21;"
    "PROP_HIGHLIGHTCOL=22;PROP_DISABLED=23;PROP_FONT_COL_DISABLED=24;PROP_FONT_COL_OVER=25;PROP_AUTOSIZE=26;"
    "PROP_BEVEL=27;PROP_BEVEL_COL1=28;PROP_BEVEL_COL2=29;PROP_GLYPH=30;PROP_GLYPH_ALIGN=31;PROP_LINE=32;"
    "PROP_WORDWRAP=33;PROP_TEXTCASE=34;PROP_TEXTURE_BLEND=35;PROP_SHADER=36;PROP_TILE=37;PROP_SCROLLBAR2=38;"
    "PROP_VALIGN=39;PROP_VERTICAL=40;PROP_FALLBTEXTURE=41;PROP_GRADIENT_COL1=42;PROP_GRADIENT_COL2=43;"
    "PROP_ITEMHEIGHT=44;PROP_AUTOHIDESCROLL=45;PROP_EDGES=46;PROP_SHADOWTEXT=47;PROP_NOMOUSEEVTTHIS=48;"
    "PROP_STRIKETHROUGH=49;PROP_UNDERLINE=50;PROP_TEXTURE3=51;PROP_FONT_COL_BACK=52;PROP_BORDER_SIZE=53;"
    "PROP_BORDER_TYPE=54;PROP_BORDER_COLOUR=55;PROP_ANIM_LOOP=56;PROP_ANIM_PLAY=57;PROP_OVERDRAW=58;"
    "PROP_SUBTEXTURE=59;PROP_SUBCOORDS=60;PROP_HINT=61;PROP_AUTOMAXWIDTH=62;PROP_INVALIDCHARS=63;"
    "PROP_NOHIGHLIGHT=64;PROP_EDGES_TEXTURE=65;PROP_ABS_X=66;PROP_ABS_Y=67;PROP_SCISSOR=68;PROP_TAG=69;"
    "PROP_OUTLINE=70;PROP_TOPDOWN=71;PROP_TEXTURE_LINEAR=72;PROP_DOWN_PIXELS=73;PROP_MOUSEOVERCOL=74;"
    "PROP_SCISSOR_BORDER=75;PROP_ISPASSWORD=76;PROP_FONT_SCALE=77;PROP_SHADER_TIME=78;PROP_OUTLINE2=79;"
    "PROP_FONT_CHARGAP=80;PROP_SCROLL_TEXT=81;";
const char kCallbacksAndTextConstants[] =
    "CALLBACK_MOUSEOVER=0;CALLBACK_MOUSELEAVE=1;CALLBACK_MOUSEDOWN=2;CALLBACK_MOUSEMOVE=3;CALLBACK_MOUSEUP=4;"
    "CALLBACK_CHECKED=5;CALLBACK_MOUSEMOVEANY=6;CALLBACK_RESIZED=7;CALLBACK_INDEXSET=8;"
    "CALLBACK_MOUSEUPANY=9;CALLBACK_MOUSECLICK=10;CALLBACK_KEYDOWN=11;CALLBACK_KEYUP=12;CALLBACK_PROGRESS=13;"
    "CALLBACK_ITEMADDED=14;CALLBACK_ITEMDELETED=15;CALLBACK_ITEMUPDATED=16;CALLBACK_ITEMSELECTED=17;"
    "CALLBACK_ITEMUNSELECTED=18;CALLBACK_ANIMEND=19;"
    "CALLBACK_DISABLED=20;CALLBACK_HIDDEN=21;CALLBACK_MOUSEDBLCLICK=22;CALLBACK_ITEMCLICKED=23;CALLBACK_KEYPRESS=24;"
    "CALLBACK_MOUSEWHEEL=25;"
    "ALIGN_LEFT=0;ALIGN_MIDDLE=1;ALIGN_RIGHT=2;ALIGN_TOP=0;ALIGN_BOTTOM=2;"
    "CASE_NORMAL=0;CASE_LOWER=1;CASE_UPPER=2;CASE_TITLE=3;"
    "BORDER_TYPE_NONE=0;BORDER_TYPE_INNER=1;BORDER_TYPE_OUTER=2;";

}  // namespace

class ScriptInterfaceTest : public ScriptTest {
 protected:
  // Every report since the last call, then forgotten.
  std::vector<Report> TakeReports() { return std::exchange(reports, {}); }
};

TEST(GuiConstants, TheChunkListsTypesPropertiesCallbacksAndTextConstantsInOrder) {
  EXPECT_EQ(GuiConstantsChunk(), std::string(kTypesAndDesktop) + kProperties + kCallbacksAndTextConstants);
}

TEST(GuiConstants, EveryFunctionIsRegisteredUnderItsExactNameInTheHostsOrder) {
  InstallGuiBindings();
  TLUA lua;
  lua.Start();
  std::vector<std::string> names;
  for (const TLUA_Function& f :
       RegistrationList({{"include", nullptr}, {"QGUI_register_tick_callback", nullptr}}, GuiBindings().functions))
    names.push_back(f.first);
  EXPECT_EQ(names, (Strings{"include",
                            "qgui_create",
                            "qgui_delete",
                            "qgui_deletechildren",
                            "qgui_set",
                            "qgui_setcallback",
                            "qgui_get",
                            "qgui_setkeyboardfocus",
                            "qgui_bringtofront",
                            "qgui_sendtoback",
                            "qgui_scrollbox_xyreset",
                            "qgui_debug",
                            "qgui_forcetextures",
                            "qgui_autosizecheck",
                            "QGUI_settextureid",
                            "QGUI_mouseoverelement",
                            "QGUI_mouseoverelementx",
                            "QGUI_mouseoverelementy",
                            "QGUI_scrollbar_scroll",
                            "QGUI_getabsx",
                            "QGUI_getabsy",
                            "QGUI_customlistbox_additem",
                            "QGUI_customlistbox_deleteitem",
                            "QGUI_customlistbox_clearitems",
                            "QGUI_widesub",
                            "QGUI_register_tick_callback"}));
  // A state the GUI is not attached to has the functions, and they do nothing.
  lua.DoString("made = qgui_create(TYPE_ELEMENT)");
  lua_getglobal(lua.State(), "made");
  EXPECT_TRUE(lua_isnil(lua.State(), -1));
  Pop(lua.State(), 1);
}

TEST_F(ScriptInterfaceTest, CreateFindsItsParentByTheArgumentsGiven) {
  TQGUI_Element& parent = Created("p");
  TQGUI_Element& child = Created("c", "TYPE_ELEMENT, p");
  TQGUI_Element& top = Created("t", "TYPE_ELEMENT, 0, true");
  TQGUI_Element& top2 = Created("t2", "TYPE_ELEMENT, nil, true");
  TQGUI_Element& notTop = Created("n", "TYPE_ELEMENT, p, false");
  TQGUI_Element& stringParent = Created("s", "TYPE_ELEMENT, 'x'");
  EXPECT_EQ(parent.Parent(), desktop);
  EXPECT_EQ(child.Parent(), &parent);
  EXPECT_TRUE(top.TopLevel());
  EXPECT_TRUE(top2.TopLevel());
  EXPECT_EQ(notTop.Parent(), &parent);
  EXPECT_EQ(stringParent.Parent(), desktop);  // a non-number parent falls back to the desktop
  EXPECT_EQ(Show("qgui_create(2.9 - 2)"), std::to_string(stringParent.id + 1));
  EXPECT_TRUE(TakeReports().empty());

  EXPECT_EQ(Show("qgui_create()"), "none");
  EXPECT_EQ(Show("qgui_create('a')"), "none");
  EXPECT_EQ(Show("qgui_create(14)"), "none");
  EXPECT_EQ(Show("qgui_create(-1)"), "none");
  EXPECT_EQ(TakeReports(), (std::vector<Report>{
                               {"QGUI_Create", "Less than one param or param is not a number"},
                               {"QGUI_Create", "Less than one param or param is not a number"},
                               {"QGUI_Create", "<14> is not a valid TYPE"},
                               {"QGUI_Create", "<-1> is not a valid TYPE"},
                           }));
}

TEST_F(ScriptInterfaceTest, IdsAreReusedAndTheDesktopCannotBeDeleted) {
  Run("a = qgui_create(0) b = qgui_create(0) c = qgui_create(0) qgui_delete(b) d = qgui_create(0)");
  EXPECT_EQ(Show("d == b, a, c"), "true");
  EXPECT_EQ(Number("d"), 2);

  Run("qgui_delete(desktop) qgui_delete(-1) qgui_delete() qgui_delete('x') qgui_delete(77)");
  EXPECT_EQ(TakeReports(), (std::vector<Report>{
                               {"QGUI_Element_Delete", "Unable to delete Desktop....."},
                               {"QGUI_Element_Delete", "Unable to delete Desktop....."},
                               {"QGUI_Element_Delete", "Less than 1 params"},
                               {"QGUI_Element_Delete", "param 1 is not a number"},
                               {"QGUI_Element_Delete", "Unable to find Element with ID <77>"},
                           }));
  EXPECT_NE(gui->Desktop(), nullptr);
  EXPECT_NE(gui->Registry().Find(1), nullptr);

  Run("x = qgui_create(0, a) y = qgui_create(0, x) qgui_deletechildren(a)");
  EXPECT_TRUE(gui->Registry().Find(1)->Children().empty());
  EXPECT_EQ(Show("qgui_get(y, PROP_X)"), "none");
  Run("qgui_deletechildren() qgui_deletechildren({}) qgui_deletechildren(500)");
  EXPECT_EQ(TakeReports(), (std::vector<Report>{
                               {"QGUI_Get", "Unable to find Element with ID <5>"},
                               {"QGUI_Element_DeleteChildren", "Less than 1 params"},
                               {"QGUI_Element_DeleteChildren", "param 1 is not a number"},
                               {"QGUI_Element_DeleteChildren", "Unable to find Element with ID <500>"},
                           }));
}

TEST_F(ScriptInterfaceTest, SetGetAndSetCallbackCheckTheirArgumentsInOrder) {
  Created("e");
  Run("qgui_set(e, PROP_X) qgui_set(e, 'x', 1) qgui_set('e', PROP_X, 1) qgui_set(99, PROP_X, 1)");
  Run("qgui_set(99, 82, 1) qgui_set(e, 82, 1) qgui_set(e, -1, 1)");
  Run("qgui_get(e) qgui_get(e, 'x') qgui_get(nil, PROP_X) qgui_get(99, PROP_X) qgui_get(e, 82)");
  Run("qgui_setcallback(e, CALLBACK_MOUSEDOWN) qgui_setcallback(e, nil, '') qgui_setcallback(e, 26, 'x()')");
  Run("qgui_setcallback(e, -1, 'x()') qgui_setcallback(98, 26, '')");
  EXPECT_EQ(TakeReports(), (std::vector<Report>{
                               {"QGUI_Set", "Less than 3 params"},
                               {"QGUI_Set", "param 1 and/or 2 is not a number"},
                               {"QGUI_Set", "param 1 and/or 2 is not a number"},
                               {"QGUI_Set", "Unable to find Element with ID <99>"},
                               {"QGUI_Set", "Unable to find Element with ID <99>"},
                               {"QGUI_Set", "<82> is not a valid PROP"},
                               {"QGUI_Set", "<-1> is not a valid PROP"},
                               {"QGUI_Get", "Less than 2 params"},
                               {"QGUI_Get", "param 1 and/or 2 is not a number"},
                               {"QGUI_Get", "param 1 and/or 2 is not a number"},
                               {"QGUI_Get", "Unable to find Element with ID <99>"},
                               {"QGUI_Get", "<82> is not a valid PROP"},
                               {"QGUI_SetCallback", "Less than 3 params"},
                               {"QGUI_SetCallback", "param 1 and/or 2 is not a number"},
                               {"QGUI_SetCallback", "<26> is not a valid CALLBACK"},
                               {"QGUI_SetCallback", "<-1> is not a valid CALLBACK"},
                               {"QGUI_SetCallback", "Unable to find Element with ID <98>"},
                           }));
  EXPECT_EQ(Show("qgui_get(e, PROP_X, 'ignored')"), "0");
}

TEST_F(ScriptInterfaceTest, CallbacksAreCodeStringsAndOnlyTheirClassesKeepThem) {
  TQGUI_Element& e = Created("e");
  Run("qgui_setcallback(e, CALLBACK_MOUSECLICK, \"log[#log+1]='click %ID '..%x\")");
  Run("qgui_setcallback(e, CALLBACK_CHECKED, 'x()') qgui_setcallback(e, CALLBACK_INDEXSET, 'x()')");
  EXPECT_EQ(e.Callback(CALLBACK_CHECKED), "");
  EXPECT_EQ(e.Callback(CALLBACK_INDEXSET), "");
  Click(10, 20);
  EXPECT_EQ(Log(), (Strings{"click " + std::to_string(e.id) + " 10"}));
  Run("qgui_setcallback(e, CALLBACK_MOUSECLICK, '')");
  EXPECT_EQ(e.Callback(CALLBACK_MOUSECLICK), "");
  Run("qgui_setcallback(e, CALLBACK_KEYDOWN, 42)");
  EXPECT_EQ(e.Callback(CALLBACK_KEYDOWN), "42");
  EXPECT_TRUE(TakeReports().empty());
}

TEST_F(ScriptInterfaceTest, AFocusOfMinusOneRemovesTheFocusAndClearsPressedKeys) {
  TQGUI_Element& e = Created("e");
  LogOn(e, CALLBACK_KEYPRESS, "press", " %k");
  Run("qgui_setkeyboardfocus(e)");
  EXPECT_EQ(gui->keyboardFocus, &e);
  gui->KeyDown(65);
  Run("qgui_setkeyboardfocus(e)");  // the held key gives no press on release
  gui->KeyUp(65);
  gui->KeyDown(66);
  gui->KeyUp(66);
  EXPECT_EQ(Log(), (Strings{"press " + std::to_string(e.id) + " 66"}));
  Run("qgui_setkeyboardfocus(-1)");
  EXPECT_EQ(gui->keyboardFocus, nullptr);
  Run("qgui_setkeyboardfocus(1000)");
  EXPECT_EQ(gui->keyboardFocus, nullptr);
  Run("qgui_setkeyboardfocus() qgui_setkeyboardfocus(true)");
  EXPECT_EQ(TakeReports(), (std::vector<Report>{
                               {"QGUI_SetKeyboardFocus", "Less than 1 params"},
                               {"QGUI_SetKeyboardFocus", "param 1 is not a number"},
                           }));
}

TEST_F(ScriptInterfaceTest, FrontAndBackReorderSiblingsAndTopLevelElements) {
  Run("a = qgui_create(0) b = qgui_create(0) t1 = qgui_create(0, 0, true) t2 = qgui_create(0, 0, true)");
  Run("qgui_bringtofront(a) qgui_sendtoback(t2)");
  const auto& children = desktop->Children();
  EXPECT_EQ(children.back()->id, 1);
  EXPECT_EQ(desktop->TopLevelElements().front()->id, 4);
  Run("qgui_bringtofront() qgui_sendtoback('x') qgui_bringtofront(50) qgui_bringtofront(desktop)");
  EXPECT_EQ(TakeReports(), (std::vector<Report>{
                               {"QGUI_BringToFront", "Less than one param or param is not a number"},
                               {"QGUI_SendToBack", "Less than one param or param is not a number"},
                               {"QGUI_BringToFront", "Unable to find Element with ID <50>"},
                           }));
}

TEST_F(ScriptInterfaceTest, PointerAndAbsolutePositionQueries) {
  Run("p = qgui_create(0) qgui_set(p, PROP_X, 100) qgui_set(p, PROP_Y, 50)");
  Run("e = qgui_create(0, p) qgui_set(e, PROP_X, 10) qgui_set(e, PROP_Y, 5) qgui_set(e, PROP_W, 20)");
  gui->MouseMove(125, 60);
  EXPECT_EQ(Show("QGUI_getabsx(e), QGUI_getabsy(e)"), "110");
  EXPECT_EQ(Number("QGUI_getabsy(e)"), 55);
  EXPECT_EQ(Show("QGUI_mouseoverelement(e)"), "true");
  EXPECT_EQ(Number("QGUI_mouseoverelementx(e)"), 15);
  EXPECT_EQ(Number("QGUI_mouseoverelementy(e)"), 5);
  gui->MouseMove(130, 60);
  EXPECT_EQ(Show("QGUI_mouseoverelement(e)"), "true");  // the right edge is inside
  gui->MouseMove(131, 60);
  EXPECT_EQ(Show("QGUI_mouseoverelement(e)"), "false");

  EXPECT_EQ(Show("QGUI_getabsx(404)"), "none");
  EXPECT_EQ(Show("QGUI_getabsy(404)"), "none");
  EXPECT_EQ(Show("QGUI_mouseoverelement(404)"), "false");
  EXPECT_EQ(Show("QGUI_mouseoverelementx(404)"), "false");
  EXPECT_EQ(Show("QGUI_mouseoverelementy(404)"), "false");
  EXPECT_EQ(TakeReports(), (std::vector<Report>{
                               {"QGUI_absX", "Unable to find Element with ID <404>"},
                               {"QGUI_GetAbsY", "Unable to find Element with ID <404>"},
                               {"QGUI_mouseoverelement", "Unable to find Element with ID <404>"},
                               {"QGUI_mouseoverelementX", "Unable to find Element with ID <404>"},
                               {"QGUI_mouseoverelementY", "Unable to find Element with ID <404>"},
                           }));
}

TEST_F(ScriptInterfaceTest, ClassFunctionsReportMissingElementsAndLeaveOtherClassesAlone) {
  Created("e");
  Run("QGUI_scrollbar_scroll(e, 120) QGUI_scrollbar_scroll(77, 120)");
  Run("QGUI_customlistbox_additem(e, 'x') QGUI_customlistbox_deleteitem(e, 0) QGUI_customlistbox_clearitems(e)");
  Run("QGUI_customlistbox_additem(70, 'x') QGUI_customlistbox_deleteitem(71, 0) QGUI_customlistbox_clearitems(72)");
  Run("qgui_scrollbox_xyreset(e) qgui_scrollbox_xyreset(-5) qgui_scrollbox_xyreset(99)");
  Run("qgui_scrollbox_xyreset() qgui_scrollbox_xyreset('a')");
  Run("qgui_autosizecheck(e) qgui_autosizecheck() qgui_autosizecheck(false) qgui_autosizecheck(9)");
  Run("qgui_forcetextures() qgui_forcetextures('a') qgui_forcetextures(9)");
  EXPECT_EQ(TakeReports(), (std::vector<Report>{
                               {"QGUI_scrollbar_scroll", "Element is not a scrollbar!!!!!"},
                               {"QGUI_scrollbar_scroll", "Unable to find Element with ID <77>"},
                               {"QGUI_CustomListBox_AddItem", "Unable to find Element with ID <70>"},
                               {"QGUI_CustomListBox_DeleteItem", "Unable to find Element with ID <71>"},
                               {"QGUI_customlistbox_clearitems", "Unable to find Element with ID <72>"},
                               {"QGUI_Scrollbox_XYReset", "Less than 1 params"},
                               {"QGUI_Scrollbox_XYReset", "param 1 is not a number"},
                               {"QGUI_autosizecheck", "Less than 1 params"},
                               {"QGUI_autosizecheck", "param 1 is not a number"},
                               {"QGUI_autosizecheck", "Unable to find Element with ID <9>"},
                               {"QGUI_forcetextures", "Less than 1 params"},
                               {"QGUI_forcetextures", "param 1 is not a number"},
                               {"QGUI_forcetextures", "Unable to find Element with ID <9>"},
                           }));
}

TEST_F(ScriptInterfaceTest, ForceTexturesLoadsTheSubtreeAndAForeignTextureIsNeverDeleted) {
  WriteInterfaceFile("red.png", std::string());
  TQGUI_Element& e = Created("e");
  TQGUI_Element& child = Created("c", "TYPE_ELEMENT, e");
  Run("qgui_set(c, PROP_TEXTURE, 'missing.png') qgui_set(c, PROP_FALLBTEXTURE, 'also-missing.png')");
  Run("qgui_forcetextures(e)");
  EXPECT_EQ(child.Slot(SLOT_MAIN).name, "also-missing.png");

  Run("QGUI_settextureid(e, 77, 64, 32, 60, 32)");
  const TQGUITexSlot& slot = e.Slot(SLOT_MAIN);
  EXPECT_EQ(slot.name, "<NODELETE>");
  EXPECT_EQ(slot.texture, 77u);
  EXPECT_EQ(slot.width, 64);
  EXPECT_EQ(slot.imageWidth, 60);
  EXPECT_TRUE(slot.partial);
  Run("qgui_set(e, PROP_TEXTURE, 'x.png') qgui_delete(e) QGUI_settextureid(404)");
  EXPECT_TRUE(renderer.deletedTextures.empty());
  EXPECT_EQ(ReportsFrom("QGUI_settextureid"), (Strings{"Unable to find Element with ID <404>"}));
}

TEST_F(ScriptInterfaceTest, WideSubCountsUtf16CharactersFromOne) {
  EXPECT_EQ(Show("QGUI_widesub('abc', 2)"), "bc");
  EXPECT_EQ(Show("QGUI_widesub('abc', 2, 2)"), "b");
  EXPECT_EQ(Show("QGUI_widesub('abc', 0, 1)"), "ab");  // the count stays last - first + 1
  EXPECT_EQ(Show("QGUI_widesub('abc', -5, 1)"), "abc");
  EXPECT_EQ(Show("QGUI_widesub('abc', 2, 99)"), "bc");
  EXPECT_EQ(Show("QGUI_widesub('abc', 3, 2)"), "");
  EXPECT_EQ(Show("QGUI_widesub('abc', 4)"), "");
  EXPECT_EQ(Show("QGUI_widesub('abc')"), "abc");
  EXPECT_EQ(Show("QGUI_widesub()"), "");
  EXPECT_EQ(Show("QGUI_widesub(12345, 2, 3)"), "23");
  // é and 中 are one character each, 𝄞 two (a surrogate pair).
  EXPECT_EQ(Show("QGUI_widesub('h\xc3\xa9\xe4\xb8\xadz', 2, 3)"), "\xc3\xa9\xe4\xb8\xad");
  EXPECT_EQ(Show("QGUI_widesub('\xf0\x9d\x84\x9ex', 1, 2)"), "\xf0\x9d\x84\x9e");
  EXPECT_EQ(Show("QGUI_widesub('\xf0\x9d\x84\x9ex', 3)"), "x");
  EXPECT_EQ(WideSubstring(u"abc", INT32_MIN, INT32_MAX), u"abc");
  EXPECT_TRUE(reports.empty());
}

TEST_F(ScriptInterfaceTest, TickCallbacksAreKeptByNameUntilTheNextStart) {
  Run("ticks = 0 function t(seconds) ticks = ticks + seconds end");
  Run("QGUI_register_tick_callback('t') QGUI_register_tick_callback(nil) QGUI_register_tick_callback('t')");
  EXPECT_EQ(lua.tickCallbacks, (Strings{"t"}));
  lua.RunTickCallbacks(0.25);
  lua.RunTickCallbacks(0.5);
  EXPECT_EQ(Number("ticks"), 0.75);
  Run("QGUI_register_tick_callback('gone')");
  lua.RunTickCallbacks(0.25);
  EXPECT_EQ(Number("ticks"), 1);
  // A tick function that registers itself each time stays in the list once.
  Run("function again() QGUI_register_tick_callback('again') end QGUI_register_tick_callback('again')");
  for (int frame = 0; frame < 30; ++frame) lua.RunTickCallbacks(0);
  EXPECT_EQ(lua.tickCallbacks, (Strings{"t", "gone", "again"}));
  ASSERT_EQ(ReportsFrom("CFE").size(), 1u);
  EXPECT_EQ(ReportsFrom("CFE")[0], "LUAError (0): attempt to call a nil value Task: <gone>");
}

TEST_F(ScriptInterfaceTest, ACallbackThatDeletesItsOwnElementEndsCleanly) {
  Created("e");
  Created("child", "TYPE_ELEMENT, e");
  Run("qgui_set(child, PROP_X, 100)");
  Run("qgui_setcallback(e, CALLBACK_MOUSEDOWN, 'qgui_delete(%id) qgui_get(%id, PROP_X)')");
  Run("qgui_setcallback(e, CALLBACK_MOUSEUP, 'log[#log+1] = \"up\"')");
  gui->MouseDown(0, 5, 5);
  gui->MouseUp(0, 5, 5);
  EXPECT_EQ(gui->Registry().Find(1), nullptr);
  EXPECT_EQ(gui->PendingDeletes(), 0u);
  EXPECT_TRUE(Log().empty());
  EXPECT_EQ(ReportsFrom("QGUI_Get"), (Strings{"Unable to find Element with ID <1>"}));
  // Hiding an element whose hidden callback deletes it, from inside qgui_set.
  Created("h");
  Run("qgui_setcallback(h, CALLBACK_HIDDEN, 'qgui_delete(%id)') qgui_set(h, PROP_VISIBLE, false)");
  EXPECT_EQ(Show("qgui_get(h, PROP_X)"), "none");
}

TEST_F(ScriptInterfaceTest, AHundredThousandElementsComeAndGo) {
  Run("for i = 1, 100000 do qgui_create(TYPE_ELEMENT, desktop) end");
  EXPECT_EQ(desktop->Children().size(), 100000u);
  EXPECT_EQ(Show("qgui_create(0)"), "100001");
  Run("qgui_deletechildren(desktop)");
  EXPECT_TRUE(desktop->Children().empty());
  EXPECT_EQ(Show("qgui_create(0)"), "1");
  EXPECT_TRUE(reports.empty());
}

TEST_F(ScriptInterfaceTest, ClassFunctionsReachTheirClasses) {
  TQGUI_ScrollBox& box = static_cast<TQGUI_ScrollBox&>(Created("box", "TYPE_SCROLLBOX"));
  TQGUI_Scrollbar& bar = static_cast<TQGUI_Scrollbar&>(Created("bar", "TYPE_SCROLLBAR"));
  Run("qgui_set(box, PROP_SCROLLBAR, bar)");
  box.scrollX = 30;
  box.scrollY = 40;
  bar.position = 40;
  Run("qgui_scrollbox_xyreset(box)");
  EXPECT_EQ(box.scrollX, 0);
  EXPECT_EQ(box.scrollY, 0);
  EXPECT_EQ(bar.position, 0);

  // The wheel's step, as a turned wheel gives it, reported to the bar's owner.
  bar.SetRange(100, 400, box);
  Run("QGUI_scrollbar_scroll(bar, -120)");
  EXPECT_GT(bar.position, 0);
  EXPECT_EQ(box.scrollY, bar.position);

  TQGUI_CustomListBox& list = static_cast<TQGUI_CustomListBox&>(Created("list", "TYPE_CUSTOMLISTBOX"));
  Run("qgui_setcallback(list, CALLBACK_ITEMDELETED, 'log[#log+1] = \"deleted\"')");
  Run("for i = 1, 4 do QGUI_customlistbox_additem(list, 'row' .. i) end QGUI_customlistbox_deleteitem(list, 1)");
  ASSERT_EQ(list.rows.size(), 3u);
  EXPECT_EQ(list.rows[1].data, "row3");
  Run("qgui_set(list, PROP_INDEX, 2) QGUI_customlistbox_clearitems(list)");
  EXPECT_TRUE(list.rows.empty());
  EXPECT_EQ(list.itemIndex, -1);
  EXPECT_EQ(Log(), (Strings(4, "deleted")));
  // A scroll box's reset reaches custom list boxes too.
  list.scrollY = 9;
  Run("qgui_scrollbox_xyreset(list)");
  EXPECT_EQ(list.scrollY, 0);

  TQGUI_Label& label = static_cast<TQGUI_Label&>(Created("label", "TYPE_LABEL"));
  Run("qgui_set(label, PROP_AUTOSIZE, true) qgui_set(label, PROP_W, 1) qgui_set(label, PROP_TEXT, 'a wide line of "
      "text')");
  Run("qgui_autosizecheck(label)");
  EXPECT_GT(label.w, 1);
  EXPECT_TRUE(reports.empty()) << reports.front().second;
}
