#include "QGUI/TextureManager.h"

#include <algorithm>
#include <cctype>

#include "QGUI/AnimFile.h"
#include "QGUI/ImageDecode.h"
#include "gl/Renderer.h"
#include "platform/DataFiles.h"
#include "script/LuaApi.h"

namespace {

TQGUI_TextureManager* g_textures = nullptr;

constexpr size_t kMaxAnimFile = size_t(64) << 10;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && EqualIgnoringCase(text.substr(text.size() - suffix.size()), suffix);
}

bool IsJPEG(std::string_view fileName) {
  return EndsWithIgnoringCase(fileName, ".jpg") || EndsWithIgnoringCase(fileName, ".jpeg");
}

}  // namespace

TQGUI_TextureManager::TQGUI_TextureManager() { g_textures = this; }

TQGUI_TextureManager::~TQGUI_TextureManager() {
  if (g_textures == this) g_textures = nullptr;
}

TQGUI_TextureManager* GUITextures() { return g_textures; }

void TQGUI_TextureManager::LoadTexture(TQGUITexSlot& slot) {
  if (slot.name.empty() || FindCached(slot)) return;
  std::string fileName = slot.name.front() == '|' ? slot.name.substr(1) : slot.name;
  slot.texture = 0;
  slot.managerIndex = -1;
  TOGL_Renderer* renderer = CurrentRenderer();
  TQGUI_Image image;
  if (!renderer || !Decode(fileName, image)) return;

  GLenum internalFormat = image.format == GL_BGR ? GL_RGB : GL_RGBA;
  const void* pixels = image.pixels.data();
  slot.texture =
      slot.linear
          ? renderer->CreateTextureLinear(image.width, image.height, internalFormat, image.format, pixels, false, false)
          : renderer->CreateTexture(image.width, image.height, internalFormat, image.format, pixels, false, false);
  slot.width = slot.imageWidth = image.width;
  slot.height = slot.imageHeight = image.height;
  ReadAnimation(fileName, slot);
  AddEntry(slot, image.width, image.height);
}

bool TQGUI_TextureManager::FindCached(TQGUITexSlot& slot) {
  if (slot.name.empty() || slot.name.front() == '|') return false;
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& entry = entries_[i];
    if (entry.references <= 0 || !EqualIgnoringCase(entry.name, slot.name)) continue;
    slot.texture = entry.texture;
    slot.width = entry.width;
    slot.height = entry.height;
    slot.imageWidth = entry.imageWidth;
    slot.imageHeight = entry.imageHeight;
    slot.animation = entry.animation;
    slot.currentFrame = 0;
    slot.timeAccumulator = 0;
    slot.managerIndex = static_cast<int32_t>(i);
    ++entries_[i].references;
    return true;
  }
  return false;
}

void TQGUI_TextureManager::ReleaseTexture(TQGUITexSlot& slot) {
  int32_t index = slot.managerIndex;
  slot.managerIndex = -1;
  if (index < 0 || size_t(index) >= entries_.size() || entries_[index].references <= 0) return;
  Entry& entry = entries_[index];
  if (--entry.references > 0) return;
  if (TOGL_Renderer* renderer = CurrentRenderer()) renderer->DeleteTexture(entry.texture);
  entry = Entry{};
}

// A missing file is silent; one the image libraries reject is reported.
bool TQGUI_TextureManager::Decode(const std::string& fileName, TQGUI_Image& image) {
  std::string bytes;
  if (!ReadDataFile(std::string(kInterfaceFolder) + fileName, bytes, kMaxImageFile)) return false;
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  std::string error;
  bool decoded =
      IsJPEG(fileName) ? DecodeJPEG(data, bytes.size(), image, error) : DecodePNG(data, bytes.size(), image, error);
  if (!decoded) ReportError("TQGUI_TextureManager", fileName + ": " + error);
  return decoded;
}

void TQGUI_TextureManager::ReadAnimation(const std::string& fileName, TQGUITexSlot& slot) {
  std::string text;
  if (ReadDataFile(std::string(kInterfaceFolder) + fileName + ".anim", text, kMaxAnimFile))
    ParseAnimFile(text, slot.width, slot.height, slot.animation);
  else
    slot.animation.animated = false;
}

void TQGUI_TextureManager::AddEntry(TQGUITexSlot& slot, int32_t imageWidth, int32_t imageHeight) {
  auto free = std::find_if(entries_.begin(), entries_.end(), [](const Entry& e) { return e.references == 0; });
  if (free == entries_.end()) free = entries_.insert(entries_.end(), Entry{});
  *free = {slot.texture, slot.name, slot.width, slot.height, imageWidth, imageHeight, 1, slot.animation};
  slot.managerIndex = static_cast<int32_t>(free - entries_.begin());
}
