#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class IGLSurface;
class TModelScene;
class TOGL;

// The program's start-up and frame order, shared by the Qt app and the headless
// runner. The shell supplies a surface and forwards window events; everything that
// touches GL happens in here, on the caller's thread.
class TZQApp {
 public:
  struct Options {
    int models = 1600;                // placed models at start-up
    bool everyModelOnScreen = false;  // models cycle through the viewport instead of the 50-column grid
  };

  TZQApp();
  explicit TZQApp(Options options);
  ~TZQApp();

  // Creates the GL object on `surface`, initialises it and sets up the scene; writes the
  // console's start-up lines. False (with the reason shown in a message box) when the
  // context could not be set up: frames then draw nothing.
  bool Start(IGLSurface* surface, int width, int height);
  // One frame, from the first-frame set-up to the swap.
  void Frame();
  void Resize(int width, int height);
  // Frees the placed models; no frame runs afterwards.
  void Close();

  // Input on the render area, y downwards. Buttons: 0 left, 1 right, 2 middle.
  void MouseMove(int x, int y);
  void MouseDown(int button, int x, int y);
  void MouseUp(int button, int x, int y);
  void MouseWheel(int delta, int x, int y);
  void KeyDown(int key);
  void KeyUp(int key);
  void Char(char16_t character);

  // The "OGL Info" page: eight fixed lines, then one extension a line.
  std::vector<std::string> InfoLines() const;
  TOGL* GL() const { return ogl_.get(); }
  // The placed-model scene, from Start on; null before.
  TModelScene* Scene() const { return scene_.get(); }

  // The unit list, the side-colour panel and the "Random" button of the main window.
  const std::vector<std::string>& UnitRows() const;
  void ApplyUnitSideColour(int row, uint8_t red, uint8_t green, uint8_t blue);
  void RandomSideColours();
  // The side colour a placed model shows (the top of its side ramp) as red, green, blue;
  // black for a row without a model.
  std::array<uint8_t, 3> UnitSideColour(int row) const;
  bool Ready() const;
  // Frames drawn since Start.
  int64_t FramesDrawn() const { return frames_; }

 private:
  Options options_;
  std::unique_ptr<TOGL> ogl_;
  std::unique_ptr<TModelScene> scene_;  // after ogl_: its textures go while the context exists
  bool closed_ = false;
  int64_t frames_ = 0;
};
