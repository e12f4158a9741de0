#pragma once
#include <epoxy/gl.h>

#include <cstdint>
#include <string>

// How an image is cut into animation frames; a texture's cache entry keeps a copy.
struct TQGUIAnimation {
  bool animated = false;
  int32_t frameWidth = 0;
  int32_t frameHeight = 0;
  int32_t frameCount = 0;
  int32_t fps = 0;
  bool bottomUp = false;  // frames counted from the bottom row of the image
  bool pingPong = false;  // play forwards, then backwards

  bool operator==(const TQGUIAnimation&) const = default;
};

// One texture an element draws: the file it names and what the texture manager
// filled in for it.
struct TQGUITexSlot {
  GLuint texture = 0;
  std::string name;  // "<NODELETE>": a handle the slot does not own
  int32_t height = 0;
  int32_t width = 0;
  bool linear = false;
  int32_t managerIndex = -1;  // -1: not held by the texture manager
  bool partial = false;       // only imageWidth x imageHeight of the texture is used
  int32_t imageWidth = 0;
  int32_t imageHeight = 0;
  TQGUIAnimation animation;
  int32_t currentFrame = 0;
  double timeAccumulator = 0;  // seconds
  bool failed = false;         // the name did not load; not tried again until it changes
};
