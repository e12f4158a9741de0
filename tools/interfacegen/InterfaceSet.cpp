#include "InterfaceSet.h"

#include <fmt/format.h>

#include <fstream>

#include "Buttons.h"
#include "Controls.h"
#include "Digits.h"
#include "Frames.h"
#include "Icons.h"

namespace fs = std::filesystem;

namespace {

// A still frame grid: the frame size for the elements that pick state frames or sprite
// cells, one frame and the top row first, so that an element that plays it as an
// animation shows the first frame.
std::string FrameGrid(int width, int height) {
  return fmt::format("width={}\nheight={}\nframes=1\nbottomleftorder=0\n", width, height);
}

std::string Animation(int width, int height, int frames, int fps) {
  return fmt::format("width={}\nheight={}\nframes={}\nfps={}\nbottomleftorder=0\n", width, height, frames, fps);
}

bool WriteText(const fs::path& path, const std::string& text, std::string& error) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (out.flush()) return true;
  error = "cannot write " + path.string();
  return false;
}

}  // namespace

std::vector<TInterfaceImage> InterfaceImages() {
  std::string buttonFrames = FrameGrid(kButtonFrameWidth, kButtonFrameHeight);
  return {
      {"corners2.png", EdgesImage(kRaisedEdges), ""},
      {"listedges.png", EdgesImage(kSunkenEdges), ""},
      {"textedges.png", EdgesImage(kAccentEdges), ""},
      {"scrollbar.png", ScrollThumb(true), ""},
      {"scrollbar_h.png", ScrollThumb(false), ""},
      {"button.png", ButtonStrip(TButtonPiece::kWhole), buttonFrames},
      {"button3_left.png", ButtonStrip(TButtonPiece::kLeft), FrameGrid(kButtonCapWidth, kButtonFrameHeight)},
      {"button3_middle.png", ButtonStrip(TButtonPiece::kMiddle), FrameGrid(kButtonMiddleWidth, kButtonFrameHeight)},
      {"button3_right.png", ButtonStrip(TButtonPiece::kRight), FrameGrid(kButtonCapWidth, kButtonFrameHeight)},
      {"sprites.png", SpriteSheet(), FrameGrid(kSpriteCell, kSpriteCell)},
      {"checkbox.png", CheckBoxFrame(), ""},
      {"check.png", CheckMark(), ""},
      {"digits.png", DigitStrip(), ""},
      {"edit.png", EditBody(), ""},
      {"panel.png", PanelTile(), ""},
      {"info.png", InfoGlyph(), ""},
      {"warning.png", WarningGlyph(), ""},
      {"spinner.png", Spinner(), Animation(kSpinnerFrame, kSpinnerFrame, kSpinnerFrames, kSpinnerFps)},
  };
}

bool WriteInterfaceSet(const fs::path& folder, std::string& error) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder)) {
    error = "cannot create the folder " + folder.string() + (ec ? ": " + ec.message() : "");
    return false;
  }
  for (const TInterfaceImage& file : InterfaceImages()) {
    if (!WritePng((folder / file.name).string(), file.image, error)) return false;
    if (!file.anim.empty() && !WriteText(folder / (file.name + ".anim"), file.anim, error)) return false;
  }
  return true;
}
