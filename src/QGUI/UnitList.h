#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "QGUI/Element.h"

// The grid a unit list shows, as its host fills it in.
struct TQGUI_UL_Layout {
  int32_t rowCount = 0;
  int32_t columnCount = 0;
  int32_t cellWidth = 0;
  int32_t cellHeight = 0;
  int32_t gapX = 0;
  int32_t gapY = 0;
  int32_t cellCount = 0;
  bool namesOnly = false;  // the picture with a name below it, nothing else
};

// What one cell shows, as its host fills it in.
struct TQGUI_UL_UpdateUnitData {
  GLuint texture = 0;   // the picture, drawn whole; 0 for none
  float bar1Value = 0;  // fraction of the cell width
  TQGUIColour bar1Colour;
  bool showBackground = false;
  TQGUIColour backgroundColour;
  int32_t badge1 = -1;  // digit cells of the texture-2 strip; -1 for none
  int32_t badge2 = -1;
  bool showBar2 = false;
  float bar2Value = 0;
  TQGUIColour bar2Colour;
  std::string caption;  // UTF-8, at the picture's bottom right
  TQGUIColour overlayColour;
  bool showOverlay = false;  // tints the picture
  std::u16string name;       // names-only mode
};

// The host's side of a unit list. Colour alphas are not used: the list draws at its own.
struct TQGUI_UnitListHooks {
  std::function<void(int32_t hostData, TQGUI_UL_Layout& layout)> getLayout;
  std::function<void(int32_t hostData, int32_t cell, TQGUI_UL_UpdateUnitData& data)> getCellData;
  // The cell is -1 where no cell is under the pointer.
  std::function<void(int32_t hostData, int32_t cell, uint8_t button)> onCellClick;
  std::function<void(int32_t hostData, int32_t cell)> onCellHover;
  // After each cell is drawn, with its top-left corner in window pixels.
  std::function<void(int32_t hostData, int32_t cell, const TQGUI_UL_Layout& layout, int32_t x, int32_t y)> onCellDrawn;
  std::function<std::u16string(const std::u16string& name)> shortenName;
};

// A grid of unit cells (picture, two bars, a two-digit badge, a caption, a tint) whose
// contents come from a native host through hooks. Without hooks it draws only its body,
// which is transparent.
class TQGUI_UnitList : public TQGUI_Element {
 public:
  TQGUI_UnitList(TQGUI_Context& context, TQGUI_Element* parent, bool topLevel);

  int32_t Type() const override { return TYPE_UNITLIST; }
  void Registered() override;
  void Draw() override;
  void MouseMove(int32_t x, int32_t y) override;
  void MouseClick(uint8_t button, int32_t x, int32_t y) override;

  void InstallHooks(TQGUI_UnitListHooks newHooks, int32_t newHostData);
  // The cell at an element-local point, -1 for none; a cell takes the gap right of and
  // below it.
  int32_t CellAt(int32_t x, int32_t y);

  TQGUI_UnitListHooks hooks;
  int32_t hostData = 0;

 private:
  void DrawCell(const TQGUI_UL_Layout& layout, int32_t cell, double spacing, float a);
  void DrawCellExtras(const TQGUI_UL_Layout& layout, const TQGUI_UL_UpdateUnitData& data, int32_t X, int32_t Y,
                      float a);
  void DrawBadge(int32_t digit, int32_t left, int32_t top, float a);
};

// Installs hooks into the unit lists of one GUI, those there already and every one made
// later (scripts create them by type number), while it lives.
class TQGUI_UnitListHost {
 public:
  using Installer = std::function<void(TQGUI_UnitList& list)>;

  TQGUI_UnitListHost(TQGUI_Context& context, Installer install);
  ~TQGUI_UnitListHost();
  TQGUI_UnitListHost(const TQGUI_UnitListHost&) = delete;
  TQGUI_UnitListHost& operator=(const TQGUI_UnitListHost&) = delete;

  // Run by every unit list once it has its id.
  static void Offer(TQGUI_UnitList& list);

 private:
  TQGUI_Context& context_;
  Installer install_;
};
