#include "font/FontManager.h"

#include <cctype>
#include <cmath>

#include "font/FontBMP.h"
#include "font/FontDFF.h"
#include "platform/DataFiles.h"

namespace {
TOGL_Font_Manager* current = nullptr;
}

TOGL_Font_Manager* FontManager() { return current; }

std::string FontExtension(std::string_view path) {
  size_t dot = path.find_last_of('.');
  if (dot == std::string_view::npos) return {};
  std::string ext(path.substr(dot));
  for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
  return ext;
}

TOGL_Font_Manager::TOGL_Font_Manager() {
  AddLoader({".dff", LoadDistanceFieldFont});
  AddLoader({".zqf", LoadDistanceFieldFont});
  AddLoader({"", LoadBitmapFont});
  current = this;
}

TOGL_Font_Manager::~TOGL_Font_Manager() {
  ClearFonts();
  if (current == this) current = nullptr;
}

TOGL_Font_Base* TOGL_Font_Manager::GetFont(const std::string& path, long double scale) {
  if (TOGL_Font_Base* font = FindLoaded(path, scale)) return font;
  const TFontLoaderEntry* entry = FindLoader(FontExtension(path));
  if (!entry) return nullptr;
  std::unique_ptr<std::istream> stream = OpenDataFile(path);
  if (!stream) return nullptr;
  TOGL_Font_Base* font = entry->Loader(path, stream.get(), scale);
  if (font) loaded_.push_back(font);
  return font;
}

TOGL_Font_Base* TOGL_Font_Manager::FindLoaded(const std::string& path, long double scale) {
  TOGL_Font_Base* remembered = nullptr;
  for (TOGL_Font_Base* font : loaded_) {
    if (font->Name != path) continue;
    if (!font->IsDistanceField || std::fabs(font->Scale - scale) <= 0.0001L) return font;
    remembered = font;
  }
  if (!remembered) return nullptr;
  TOGL_Font_Base* clone = remembered->CloneAtScale(scale);
  if (clone) loaded_.push_back(clone);
  return clone;
}

const TFontLoaderEntry* TOGL_Font_Manager::FindLoader(std::string_view extension) const {
  for (const TFontLoaderEntry& entry : loaders_)
    if (entry.Extension == extension) return &entry;
  return nullptr;
}

void TOGL_Font_Manager::AddLoader(TFontLoaderEntry entry) { loaders_.push_back(std::move(entry)); }

void TOGL_Font_Manager::ClearFonts() {
  for (TOGL_Font_Base* font : loaded_) font->Release(false);
  loaded_.clear();
}
