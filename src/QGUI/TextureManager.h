#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "QGUI/TexSlot.h"

class TOGL_Renderer;
struct TQGUI_Image;

// Loads the images GUI elements name from the `interface` folder, uploads each once
// through the current renderer and shares it between every slot naming the same
// file, ignoring case. A name starting with "|" is never shared. Damaged images
// leave the slot without texture and are reported (source "TQGUI_TextureManager").
class TQGUI_TextureManager {
 public:
  struct Entry {
    GLuint texture = 0;
    std::string name;  // empty for a free entry
    int32_t width = 0;
    int32_t height = 0;
    int32_t imageWidth = 0;
    int32_t imageHeight = 0;
    int32_t references = 0;  // 0: free, reused by the next load
    TQGUIAnimation animation;
  };

  TQGUI_TextureManager();
  ~TQGUI_TextureManager();
  TQGUI_TextureManager(const TQGUI_TextureManager&) = delete;
  TQGUI_TextureManager& operator=(const TQGUI_TextureManager&) = delete;

  void LoadTexture(TQGUITexSlot& slot);
  bool FindCached(TQGUITexSlot& slot);
  void ReleaseTexture(TQGUITexSlot& slot);

  const std::vector<Entry>& Entries() const { return entries_; }

 private:
  bool Decode(const std::string& fileName, TQGUI_Image& image);
  void ReadAnimation(const std::string& fileName, TQGUITexSlot& slot);
  void AddEntry(TQGUITexSlot& slot, int32_t imageWidth, int32_t imageHeight);

  std::vector<Entry> entries_;
};

// The program's GUI texture manager: the most recently created one still alive, or null.
TQGUI_TextureManager* GUITextures();

// Folder, relative to the executable's, that interface images are read from.
inline constexpr std::string_view kInterfaceFolder = "\\interface\\";
