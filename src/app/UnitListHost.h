#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "QGUI/Context.h"
#include "QGUI/UnitList.h"
#include "app/Scene.h"
#include "model/GMFile.h"
#include "model/Palette.h"

class TOGL_Renderer;

// A model's first frame with pixels as a square RGBA image, bottom row first, the frame
// centred; palette index 0 is transparent and shadows are half so.
struct TUnitPicture {
  int32_t size = 0;
  std::vector<uint8_t> rgba;
};
TUnitPicture MakeUnitPicture(const TGM_File& file, const TPalette& palette);

// Shows the scene's model types in every unit list of one GUI: a cell per model file
// with a picture of the model in the side colour of its first placed model, that colour
// behind it and the count of placed models of the type as the badge. A click selects the
// type's first placed model; the cell under the pointer gives the list the type's name as
// its floating hint. Must go before the GUI does.
class TUnitListHost {
 public:
  static constexpr int32_t kCell = 40;
  static constexpr int32_t kGapX = 6;   // what drawing spaces the columns by, so hits match
  static constexpr int32_t kGapY = 14;  // room for the bar strip below each picture
  static constexpr const char* kDigits = "digits.png";

  struct Type {
    std::string file;            // as the model system names it, "GMs\..."
    std::u16string name;         // without folder and extension
    std::vector<size_t> models;  // its placed models, in list order
    TGM_File model;              // for the picture
    GLuint picture = 0;
    TRgb pictureColour{};  // the side colour the picture was made in
  };

  // `renderer` makes the pictures; without one the cells show none.
  TUnitListHost(TQGUI_Context& gui, TModelScene& scene, TOGL_Renderer* renderer);
  ~TUnitListHost();
  TUnitListHost(const TUnitListHost&) = delete;
  TUnitListHost& operator=(const TUnitListHost&) = delete;

  // Run with the list row of the clicked type's first placed model.
  std::function<void(int row)> onSelect;

  const std::vector<Type>& Types() const { return types_; }
  // The side colour a type shows: its first placed model's.
  TRgb SideColour(const Type& type) const;

 private:
  void Install(TQGUI_UnitList& list);
  void Layout(const TQGUI_ElementRef& list, TQGUI_UL_Layout& layout) const;
  void CellData(int32_t cell, TQGUI_UL_UpdateUnitData& data);
  void Click(int32_t cell, uint8_t button);
  void Hover(const TQGUI_ElementRef& list, int32_t cell);
  void Refresh(Type& type);

  TQGUI_Context& gui_;
  TModelScene& scene_;
  TOGL_Renderer* renderer_;
  std::vector<Type> types_;
  std::vector<TQGUI_ElementRef> lists_;
  TQGUI_ElementRef hoverList_;
  int32_t hoverCell_ = -1;
  TQGUI_UnitListHost registration_;
};
