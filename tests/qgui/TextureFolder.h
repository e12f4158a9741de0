#pragma once
#include <string>

#include "ScratchFolder.h"

// A scratch executable folder with an `interface` folder for the test's images.
class TextureFolder {
 public:
  TextureFolder() { folder_.UseAsExeFolder(); }
  void Write(const std::string& name, const std::string& bytes) { folder_.Write("interface/" + name, bytes); }

 private:
  ScratchFolder folder_{"qgui"};
};
