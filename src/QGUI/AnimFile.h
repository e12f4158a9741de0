#pragma once
#include <string_view>

#include "QGUI/TexSlot.h"

// Reads an ".anim" side file: lines of key = value, keys and values compared ignoring
// case; unknown keys and lines without "=" are skipped, a later line wins. `animation`
// gets the defaults for a texture of the given size first, then the file's settings.
void ParseAnimFile(std::string_view text, int32_t textureWidth, int32_t textureHeight, TQGUIAnimation& animation);
