#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class IGLSurface;
class TLUA;
class TModelScene;
class TOGL;
class TOGL_Font_Manager;
class TQGUI_Context;
class TQGUI_Scissor_Stack;
class TQGUI_ScriptedGui;
class TQGUI_TextureManager;
class TUnitListHost;

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

  // The GUI starts for this screen, then takes the render area's size.
  static constexpr int kGuiScreenWidth = 1024;
  static constexpr int kGuiScreenHeight = 768;

  // Creates the GL object on `surface`, initialises it, sets up the scene and the GUI's
  // services; writes the console's start-up lines. False (with the reason shown in a
  // message box) when the context could not be set up: frames then draw nothing.
  bool Start(IGLSurface* surface, int width, int height);
  // One frame: the GUI starts (first frame, or a reload it asked for), palettes go up,
  // the scripts hear the frame rate and run their tick functions, then the phases below.
  void Frame();
  // The frame's drawing phases, in order, for tests and benchmarks: the cleared screen
  // with the placed models; the GUI over them; the 3-D state back and the swap.
  void DrawScene();
  void DrawGui();
  void Present();
  void Resize(int width, int height);
  // Frees the placed models and the GUI; no frame runs afterwards. The GL context must
  // be current.
  void Close();

  // Runs a line of the console's command entry in the GUI's interpreter: the line is
  // echoed, and its errors and reports are written to the console.
  void RunConsoleCommand(const std::string& line);

  // Input on the render area, y downwards, handed to the GUI; dropped until its first
  // frame. Buttons: 0 left, 1 right, 2 middle; keys are Windows virtual-key codes.
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
  // Run with a unit's list row when a click on the GUI's unit list picks it; the shell
  // selects that row in its own list.
  std::function<void(int row)> onUnitSelected;
  // Frames drawn since Start.
  int64_t FramesDrawn() const { return frames_; }

  // The GUI, from Start on; null before and after Close. Its interpreter runs only once
  // the first frame has started it.
  TQGUI_Context* Gui() const { return gui_.get(); }
  TQGUI_ScriptedGui* ScriptedGui() const { return scripted_.get(); }
  TLUA* Lua() const { return lua_.get(); }
  // What the GUI's unit lists show, from the first frame on; null before.
  TUnitListHost* UnitLists() const { return unitLists_.get(); }
  bool GuiStarted() const { return guiStarted_; }

 private:
  void CreateGui();
  void FreeGui();
  void StartGuiIfDue();
  void StartGui();
  void RunFrameScripts();

  Options options_;
  std::unique_ptr<TOGL> ogl_;
  std::unique_ptr<TModelScene> scene_;  // after ogl_: its textures go while the context exists
  // The GUI's services, made once the GL object exists and freed in reverse order
  // before it goes, so textures, font pages and shader programs go with their context.
  std::unique_ptr<TLUA> lua_;
  std::unique_ptr<TOGL_Font_Manager> fonts_;
  std::unique_ptr<TQGUI_TextureManager> guiTextures_;
  std::unique_ptr<TQGUI_Scissor_Stack> scissor_;
  std::unique_ptr<TQGUI_Context> gui_;
  std::unique_ptr<TQGUI_ScriptedGui> scripted_;
  // Fills the unit lists of one GUI start; goes before the GUI, with its pictures.
  std::unique_ptr<TUnitListHost> unitLists_;
  bool guiStarted_ = false;
  bool closed_ = false;
  int64_t frames_ = 0;
};
