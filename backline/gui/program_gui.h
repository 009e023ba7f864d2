#pragma once
// The program's GUI context: it holds the skin "gui.tga", creates the buttons
// of every screen, draws them once per frame and shows the frame rate when
// g_drawFPS is set. GameApp creates it, registers it with g_pGUI->NewContext,
// and shuts it down and destroys it before the engine stops. Main thread only.
#include "basalt/gui/context_controller.h"
#include "basalt/gui/gui_button.h"

class ProgramGui : public Basalt::IContextController {
 public:
  static constexpr const char* kSkinName = "gui.tga";
  static constexpr unsigned kFPSFont = 3;
  static constexpr unsigned kFPSColour = 0xFFFFFFFF;

  ProgramGui() = default;
  ~ProgramGui() override;

  // Finds the skin among the loaded textures, else loads it from the game
  // directory (where the content puts it) or from "Textures". Without one
  // that decodes it logs "Failed to load GUI.TGA" and the buttons are drawn
  // as plain boxes. Always true.
  bool Initialize() override;
  bool Update() override { return true; }
  // Sends GUI_DRAW to the root widget, then queues the frame-rate line.
  bool Draw() override;
  // Destroys every widget; the skin stays with the material manager.
  bool Shutdown() override;

  // A new button wid (> 0), under widget parentWid when that exists, else
  // under the root widget, or as the root when there is none. Null when wid
  // is taken. The controller owns it; the pointer stays valid until Shutdown.
  Basalt::GUIButton* CreateButton(unsigned wid, unsigned parentWid);

  Basalt::IWidget* GetRoot() const { return m_root; }
  // Null when the buttons have no skin.
  Basalt::ITexture* GetSkin() const { return m_texture; }

 private:
  Basalt::IWidget* m_root = nullptr;
};
