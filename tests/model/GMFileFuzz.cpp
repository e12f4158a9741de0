// Model files as they come: reading and atlas packing must stay inside their buffers.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "model/GMFile.h"
#include "model/ModelData.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
  TGM_File file;
  file.Load(in);
  TGMGL_Data atlas;
  atlas.BuildAtlas(file);
  return 0;
}
