#pragma once
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "font/FontBase.h"

// Makes a font from an open file; null when it cannot.
using TFontLoader = std::function<TOGL_Font_Base*(const std::string& path, std::istream* stream, long double scale)>;

struct TFontLoaderEntry {
  std::string Extension;  // lower case with its dot, or empty
  TFontLoader Loader;
};

// The one font cache: one font object per path and scale, scaled clones of
// distance-field fonts sharing their glyph data, loaders chosen by extension.
class TOGL_Font_Manager {
 public:
  TOGL_Font_Manager();
  ~TOGL_Font_Manager();
  TOGL_Font_Manager(const TOGL_Font_Manager&) = delete;
  TOGL_Font_Manager& operator=(const TOGL_Font_Manager&) = delete;

  TOGL_Font_Base* GetFont(const std::string& path, long double scale);
  TOGL_Font_Base* FindLoaded(const std::string& path, long double scale);
  const TFontLoaderEntry* FindLoader(std::string_view extension) const;
  void AddLoader(TFontLoaderEntry entry);
  void ClearFonts();

  const std::vector<TOGL_Font_Base*>& LoadedFonts() const { return loaded_; }

 private:
  std::vector<TFontLoaderEntry> loaders_;
  std::vector<TOGL_Font_Base*> loaded_;
};

// The program's font manager: set while one exists.
TOGL_Font_Manager* FontManager();

// The extension of a path from its last "." on, lower-cased; empty without one.
std::string FontExtension(std::string_view path);
