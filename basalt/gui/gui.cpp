#include "basalt/gui/gui.h"

#include <cstdarg>
#include <cstdio>

#include "basalt/foundation/file_system.h"
#include "basalt/foundation/log.h"
#include "basalt/graphics/graphics_device.h"
#include "basalt/gui/context_controller.h"

namespace Basalt {

GUI* g_pGUI = nullptr;

namespace {

const char kFontDirectory[] = "fonts";
const char kFontExtension[] = "tga";

// A 30-pixel square without texture, scaled to the screen's size.
constexpr TextureRect kFadeRect = {0, 0, 30, 30};
constexpr float kFadeSide = 30.0f;

}  // namespace

GUI::~GUI() { Shutdown(); }

bool GUI::Initialize() {
  if (!g_pGraphics || !g_pGraphics->Has2DPass()) {
    LogMessage("FontManager failed to initialize");
    return false;
  }
  m_device = g_pGraphics;
  m_device->SetFramePass(IGraphicsDevice::kGuiPass, &DrawPass, this);
  m_fontManager.Initialize();
  LoadFonts();
  return true;
}

// Font ids are positions in the listing: a file that fails keeps its id.
void GUI::LoadFonts() {
  IFileSystem::DirectoryListing listing;
  if (!g_pFileSystem) return;
  if (!g_pFileSystem->GetDirectoryListing(kFontDirectory, kFontExtension, &listing) || listing.names.Count() == 0) {
    LogMessage("No fonts: %s/ holds no *.%s file, so no text is drawn", kFontDirectory, kFontExtension);
    return;
  }
  for (unsigned i = 0; i < listing.names.Count(); ++i) {
    const char* name = listing.names.Get(i).name;
    char path[sizeof(IFileSystem::FileName) + sizeof kFontDirectory + 1];
    std::snprintf(path, sizeof path, "%s/%s", kFontDirectory, name);
    if (m_fontManager.LoadFont(path) < 0) LogMessage("Failed to load font: %s", name);
  }
}

bool GUI::Draw() {
  for (unsigned i = 0; i < m_contexts.Count(); ++i) m_contexts.Get(i)->Draw();
  DrawFade();
  m_fontManager.RenderText();
  return true;
}

// Counts frames, not time: alpha 251 on the first drawn frame, 1 on the 51st.
void GUI::DrawFade() {
  if (m_fadeLevel >= kFadeDone - 0.5f) {
    m_fadeLevel = kFadeDone;
    return;
  }
  if (!g_pGraphics) return;
  g_pGraphics->SetRenderState(IGraphicsDevice::RS_DEPTH_WRITE, 0, false);
  m_fadeLevel += kFadeStep;
  const unsigned alpha = (256u - static_cast<unsigned>(m_fadeLevel)) & 0xFF;
  const float scaleX = static_cast<float>(g_pGraphics->GetScreenWidth()) / kFadeSide;
  const float scaleY = static_cast<float>(g_pGraphics->GetScreenHeight()) / kFadeSide;
  g_pGraphics->Draw2D(kFadeRect, {0.0f, 0.0f, kFadeDepth}, alpha << 24, nullptr, scaleX, scaleY);
  g_pGraphics->SetRenderState(IGraphicsDevice::RS_DEPTH_WRITE, 1, false);
}

void GUI::DrawText(unsigned font, unsigned x, unsigned y, unsigned colour, const char* format, ...) {
  va_list args;
  va_start(args, format);
  m_fontManager.QueueFormatted(font, x, y, colour, format, args);
  va_end(args);
}

void GUI::NewContext(IContextController* context) { m_contexts.Add(context); }

unsigned GUI::GetScreenWidth() const { return g_pGraphics ? g_pGraphics->GetScreenWidth() : 0; }

unsigned GUI::GetScreenHeight() const { return g_pGraphics ? g_pGraphics->GetScreenHeight() : 0; }

void GUI::DrawPass(void* gui) { static_cast<GUI*>(gui)->Draw(); }

bool GUI::Shutdown() {
  if (m_device) m_device->SetFramePass(IGraphicsDevice::kGuiPass, nullptr, nullptr);
  m_device = nullptr;
  m_contexts.Clear();
  m_fontManager.Shutdown();
  return true;
}

}  // namespace Basalt
