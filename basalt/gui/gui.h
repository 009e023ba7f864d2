#pragma once
// The engine's 2D layer (one instance, g_pGUI, made by the core after input).
// It owns the font manager and loads every font of "fonts" at start-up (ids
// in the listing's sorted order), keeps the context controllers, and draws
// once per frame inside the graphics device's sprite pass: the controllers in
// registration order, a black square over the whole screen fading the first
// 51 frames in from black, and last the queued text, which is never faded.
// Main thread only.
#include "basalt/gui/font_manager.h"
#include "basalt/util/array.h"

namespace Basalt {

class IContextController;
class IGraphicsDevice;
class ITexture;

class GUI {
 public:
  static constexpr float kFadeStep = 5.0f;
  static constexpr float kFadeDone = 255.0f;
  static constexpr float kFadeDepth = 0.1f;

  GUI() = default;
  // Shuts down first: needs the graphics device's context like Shutdown.
  ~GUI();
  GUI(const GUI&) = delete;
  GUI& operator=(const GUI&) = delete;

  // Needs g_pGraphics's 2D pass ("FontManager failed to initialize" and
  // false without it), whose GUI pass it then draws until Shutdown. Fonts that fail to load are logged and skipped;
  // so is a fonts folder with none (no text is drawn then).
  bool Initialize();
  bool Update() { return true; }
  // The graphics device's GUI pass, at the end of its 2D pass.
  bool Draw();
  // Formats like printf and queues the finished text whole.
  void DrawText(unsigned font, unsigned x, unsigned y, unsigned colour, const char* format, ...)
      __attribute__((format(printf, 6, 7)));
  // context: not owned, must stay alive until Shutdown. There is no removal.
  void NewContext(IContextController* context);
  void SetTexture(ITexture* texture) { m_texture = texture; }
  ITexture* GetTexture() const { return m_texture; }
  FontManager* GetFontManager() { return &m_fontManager; }
  unsigned GetScreenWidth() const;
  unsigned GetScreenHeight() const;
  unsigned NumContexts() const { return m_contexts.Count(); }
  // Whether the start-up fade from black is still under way.
  bool FadingIn() const { return m_fadeLevel < kFadeDone; }
  // Forgets the controllers (without destroying them) and releases the fonts'
  // textures, while the graphics device's context exists.
  bool Shutdown();

 private:
  static void DrawPass(void* gui);
  IGraphicsDevice* m_device = nullptr;  // whose GUI pass this is, from Initialize to Shutdown
  void DrawFade();
  void LoadFonts();

  util::Array<IContextController*> m_contexts;
  FontManager m_fontManager;
  ITexture* m_texture = nullptr;
  float m_fadeLevel = 0.0f;
};

extern GUI* g_pGUI;

}  // namespace Basalt
