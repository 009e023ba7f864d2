#include "backline/gui/program_gui.h"

#include <cassert>

#include "backline/common/app_cvars.h"
#include "basalt/core/core.h"
#include "basalt/foundation/log.h"
#include "basalt/fs/path.h"
#include "basalt/graphics/material_file.h"
#include "basalt/graphics/material_manager.h"
#include "basalt/graphics/texture.h"
#include "basalt/gui/gui.h"

namespace {

const unsigned kFPSPosition[2] = {10, 20};

Basalt::ITexture* FindSkin() {
  if (!Basalt::g_pMaterialManager) return nullptr;
  if (Basalt::ITexture* found = Basalt::g_pMaterialManager->FindTexture(ProgramGui::kSkinName)) return found;
  if (Basalt::PathExists(ProgramGui::kSkinName))
    return Basalt::LoadTextureFile(ProgramGui::kSkinName, ProgramGui::kSkinName);
  return Basalt::LoadTexture(ProgramGui::kSkinName);
}

}  // namespace

ProgramGui::~ProgramGui() { Shutdown(); }

bool ProgramGui::Initialize() {
  IContextController::Initialize();
  m_texture = FindSkin();
  if (m_texture && m_texture->GetWidth() > 0) return true;
  m_texture = nullptr;
  Basalt::LogMessage("Failed to load GUI.TGA: the buttons are drawn without their skin");
  return true;
}

Basalt::GUIButton* ProgramGui::CreateButton(unsigned wid, unsigned parentWid) {
  assert(wid > 0);
  if (m_widgets.Find(wid)) return nullptr;
  Basalt::IWidget* parent = parentWid ? m_widgets.Find(parentWid) : nullptr;
  auto* button = new Basalt::GUIButton(wid);
  button->Initialize(m_texture);
  if (!m_widgets.Insert(wid, button)) {
    delete button;
    return nullptr;
  }
  if (parent)
    parent->AddChild(button);
  else if (m_root)
    m_root->AddChild(button);
  else
    m_root = button;
  return button;
}

bool ProgramGui::Draw() {
  if (Basalt::g_pGUI) Basalt::g_pGUI->SetTexture(m_texture);
  if (m_drawingEnabled && m_root) m_root->SendMessage(Basalt::GUI_DRAW);
  if (g_drawFPS)
    DrawText(kFPSFont, kFPSPosition[0], kFPSPosition[1], kFPSColour, "FPS: %d",
             Basalt::g_pCore ? Basalt::g_pCore->GetFPS() : 0u);
  return true;
}

bool ProgramGui::Shutdown() {
  KillAllWidgets();
  m_root = nullptr;
  m_texture = nullptr;
  return IContextController::Shutdown();
}
