#pragma once
#include <filesystem>
#include <string>
#include <vector>

#include "Png.h"

// One file of the interface set: its image and, for images cut into frames, the text of
// its ".anim" side file (empty for none).
struct TInterfaceImage {
  std::string name;
  TImage image;
  std::string anim;
};

// Every interface image the program and the sample interface use, drawn the same way
// every time.
std::vector<TInterfaceImage> InterfaceImages();
// Writes them (and their side files) into `folder`, created if needed.
bool WriteInterfaceSet(const std::filesystem::path& folder, std::string& error);
