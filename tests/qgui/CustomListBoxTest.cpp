#include <gtest/gtest.h>

#include "QGUI/CustomListBox.h"
#include "QGUI/Scrollbar.h"
#include "WidgetTestSupport.h"

using Strings = std::vector<std::string>;

namespace {

TQGUI_Context* g_context = nullptr;

// add_item(list, data) and delete_item(list, index), as row code would call them.
int AddItem(lua_State* state) {
  if (auto* list = dynamic_cast<TQGUI_CustomListBox*>(g_context->Registry().Find(ArgInt(state, 1))))
    list->AddItem(ArgString(state, 2));
  return 0;
}

int DeleteItem(lua_State* state) {
  if (auto* list = dynamic_cast<TQGUI_CustomListBox*>(g_context->Registry().Find(ArgInt(state, 1))))
    list->DeleteItem(ArgInt(state, 2));
  return 0;
}

}  // namespace

class CustomListBoxTest : public WidgetTest {
 protected:
  CustomListBoxTest() : list(MakeAs<TQGUI_CustomListBox>(TYPE_CUSTOMLISTBOX)) {
    list.SetBounds(10, 10, 120, 100);
    list.bevel = true;
    g_context = gui.get();
    lua.Register("add_item", AddItem);
    lua.Register("delete_item", DeleteItem);
    lua.DoString("function setIndexID(list, index) log[#log+1] = 'setIndexID ' .. list .. ' ' .. index end");
    lua.DoString("function show(line) return tostring(line) end");
  }
  std::string Id() const { return std::to_string(list.id); }
  std::string RowId(int32_t index) const { return std::to_string(list.RowElement(index)->id); }
  void Rows(int n) {
    for (int i = 0; i < n; ++i) list.AddItem("d" + std::to_string(i));
  }
  // Double quotes around the log text, so that data with a single quote goes in as it is.
  void LogAll() {
    auto log = [&](TQGUI_Callback callback, const std::string& text) {
      list.SetCallback(callback, "log[#log+1]=\"" + text + "\"");
    };
    log(CALLBACK_ITEMADDED, "added %id %rowid %index %data");
    log(CALLBACK_ITEMDELETED, "deleted %id %index");
    log(CALLBACK_ITEMUPDATED, "updated %id %index %data");
    log(CALLBACK_ITEMSELECTED, "selected %id %index %data");
    log(CALLBACK_ITEMUNSELECTED, "unselected %id %index %data");
    // An empty %line leaves show() without its argument.
    list.SetCallback(CALLBACK_INDEXSET, "log[#log+1]='set %id %index [' .. show(%line) .. ']'");
  }

  TQGUI_CustomListBox& list;
};

TEST_F(CustomListBoxTest, RowsStackInsideTheBevelMarginWithTheirClickCode) {
  LogAll();
  Rows(3);
  ASSERT_EQ(list.rows.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    TQGUI_Element& row = *list.RowElement(i);
    EXPECT_EQ(row.GetBounds(), (TQGUIRect{1, 1 + 20 * i, 118, 20})) << i;
    EXPECT_EQ(row.Parent(), &list);
    EXPECT_EQ(row.Callback(CALLBACK_MOUSECLICK), "setIndexID(" + Id() + "," + std::to_string(i) + ")");
    EXPECT_EQ(row.col1.alpha, 0);
    EXPECT_TRUE(row.anchors.right);
    EXPECT_FALSE(row.anchors.bottom);
  }
  EXPECT_EQ(Log(), (Strings{"added " + Id() + " " + RowId(0) + " 0 d0", "added " + Id() + " " + RowId(1) + " 1 d1",
                            "added " + Id() + " " + RowId(2) + " 2 d2"}));
  EXPECT_FALSE(list.autoHideBars);

  ClearLog();
  Click(50, 10 + 21 + 5);
  EXPECT_EQ(Log(), (Strings{"setIndexID " + Id() + " 1"}));
  list.SetWidth(200);  // anchored right: rows follow the list
  EXPECT_EQ(list.RowElement(0)->w, 198);

  TQGUI_CustomListBox& flat = static_cast<TQGUI_CustomListBox&>(Make(TYPE_CUSTOMLISTBOX));
  flat.SetBounds(0, 0, 50, 50);
  flat.AddItem("x");
  EXPECT_EQ(flat.RowElement(0)->GetBounds(), (TQGUIRect{0, 0, 50, 20}));
}

TEST_F(CustomListBoxTest, DeletingRowZeroMovesTheLaterRowsUp) {
  Rows(3);
  const std::string moved1 = RowId(1), moved2 = RowId(2);
  LogAll();
  list.DeleteItem(0);
  EXPECT_EQ(Log(), (Strings{"updated " + Id() + " 0 d1", "updated " + Id() + " 1 d2", "deleted " + Id() + " 0"}));
  ASSERT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(RowId(0), moved1);
  EXPECT_EQ(list.rows[1].data, "d2");
  // The moved rows take their new slots and click codes, so the next row does not land on one.
  EXPECT_EQ(list.RowElement(0)->y, 1);
  EXPECT_EQ(list.RowElement(1)->y, 21);
  EXPECT_EQ(list.RowElement(0)->Callback(CALLBACK_MOUSECLICK), "setIndexID(" + Id() + ",0)");
  list.AddItem("d3");
  EXPECT_EQ(list.RowElement(2)->y, 41);

  ClearLog();
  list.DeleteItem(3);
  list.DeleteItem(-1);
  EXPECT_TRUE(Log().empty());
}

TEST_F(CustomListBoxTest, ClearingFiresEachDeletionThenAnEmptyIndexSet) {
  Rows(2);
  list.SetItemIndex(1);
  LogAll();
  list.ClearItems();
  EXPECT_EQ(Log(), (Strings{"deleted " + Id() + " 1", "deleted " + Id() + " 0", "set " + Id() + " -1 [nil]"}));
  EXPECT_TRUE(list.rows.empty());
  EXPECT_TRUE(list.Children().empty());
}

TEST_F(CustomListBoxTest, SelectionUnselectsSelectsAndSetsTheIndexOnce) {
  Rows(2);
  list.UpdateItem(1, "it's");
  LogAll();
  list.SetItemIndex(0);
  list.SetItemIndex(1);
  list.SetItemIndex(1);  // the current index again: nothing
  list.SetItemIndex(7);
  EXPECT_EQ(Log(), (Strings{"selected " + Id() + " 0 d0", "set " + Id() + " 0 [d0]", "unselected " + Id() + " 0 d0",
                            "selected " + Id() + " 1 it's", "set " + Id() + " 1 [it's]",
                            "unselected " + Id() + " 1 it's", "set " + Id() + " 7 [nil]"}));
  EXPECT_EQ(list.itemIndex, 7);
}

TEST_F(CustomListBoxTest, AHorizontalBarLaysTheRowsOutAsColumns) {
  Rows(3);
  TQGUI_Scrollbar& hbar = static_cast<TQGUI_Scrollbar&>(Make(TYPE_SCROLLBAR));
  hbar.vertical = false;
  list.SetScrollbar(hbar.id, 1);
  EXPECT_FALSE(list.verticalLayout);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(list.RowElement(i)->GetBounds(), (TQGUIRect{1 + 20 * i, 1, 20, 98})) << i;
  EXPECT_TRUE(list.RowElement(0)->anchors.bottom);
  list.AddItem("d3");
  EXPECT_EQ(list.RowElement(3)->GetBounds(), (TQGUIRect{61, 1, 20, 98}));

  list.SetScrollbar(999, 0);  // a bar that is not there changes nothing
  EXPECT_FALSE(list.verticalLayout);
  TQGUI_Scrollbar& vbar = static_cast<TQGUI_Scrollbar&>(Make(TYPE_SCROLLBAR));
  list.SetScrollbar(vbar.id, 0);
  EXPECT_TRUE(list.verticalLayout);
  EXPECT_EQ(list.RowElement(3)->GetBounds(), (TQGUIRect{1, 61, 118, 20}));

  list.SetItemHeight(30);  // rows move, sizes stay
  EXPECT_EQ(list.RowElement(3)->GetBounds(), (TQGUIRect{1, 91, 118, 20}));
  EXPECT_EQ(list.itemHeight, 30);
}

TEST_F(CustomListBoxTest, TheWheelOnARowScrollsTheListOnce) {
  TQGUI_Scrollbar& bar = static_cast<TQGUI_Scrollbar&>(Make(TYPE_SCROLLBAR));
  bar.SetBounds(140, 10, 10, 100);
  list.SetScrollbar(bar.id, 0);
  Rows(20);
  RenderFrame();
  LogOn(list, CALLBACK_MOUSEWHEEL, "wheel", " %delta %x %y");
  gui->MouseWheel(50, 50, -120);
  EXPECT_EQ(bar.position, 98);
  EXPECT_EQ(list.scrollY, 98);
  // Row 1 took it at (39, 19): the list hears its own coordinates.
  EXPECT_EQ(Log(), (Strings{"wheel " + Id() + " -120 40 40"}));
}

TEST_F(CustomListBoxTest, TenThousandRowsAddedAndClearedLeaveNothingBehind) {
  const size_t slots = gui->Registry().Size();
  for (int i = 0; i < 10000; ++i) list.AddItem("row");
  RenderFrame();
  ASSERT_EQ(list.rows.size(), 10000u);
  list.ClearItems();
  EXPECT_TRUE(list.Children().empty());
  for (int i = 0; i < 3; ++i) list.AddItem("again");
  EXPECT_EQ(list.RowElement(0)->id, int32_t(slots));  // ids are handed out again from the lowest
  EXPECT_LE(gui->Registry().Size(), slots + 10000);
}

TEST_F(CustomListBoxTest, RowCodeThatReshapesTheListStaysSound) {
  Rows(3);
  // A row deleted by id: the list goes on without its element.
  lua.DoString("delete_element(" + RowId(1) + ")");
  EXPECT_EQ(list.RowElement(1), nullptr);
  list.SetItemIndex(1);
  list.DeleteItem(0);
  EXPECT_EQ(list.rows.size(), 2u);
  EXPECT_EQ(list.RowElement(0), nullptr);

  // Each deletion adds a row back: clearing still ends.
  list.SetCallback(CALLBACK_ITEMDELETED, "add_item(" + Id() + ", 'back')");
  list.ClearItems();
  EXPECT_EQ(list.rows.size(), 2u);

  // Updates that delete rows, and an index-set that deletes the list itself.
  list.SetCallback(CALLBACK_ITEMDELETED, "");
  list.SetCallback(CALLBACK_ITEMUPDATED, "delete_item(" + Id() + ", 0)");
  Rows(4);
  list.DeleteItem(0);
  EXPECT_TRUE(list.rows.empty());
  list.SetCallback(CALLBACK_INDEXSET, "delete_element(" + Id() + ")");
  {
    TQGUI_Context::Guard guard(*gui);  // as every entry from outside holds
    list.SetItemIndex(0);
    EXPECT_TRUE(list.Deleted());
    list.AddItem("late");
    EXPECT_TRUE(list.rows.empty());
  }
  RenderFrame();
}
