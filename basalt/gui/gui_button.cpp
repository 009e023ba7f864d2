#include "basalt/gui/gui_button.h"

#include <algorithm>

#include "basalt/gui/font_manager.h"
#include "basalt/gui/gui.h"

namespace Basalt {

namespace {

constexpr unsigned kDefaultWidth = 100;
constexpr unsigned kDefaultHeight = 30;
constexpr unsigned kCaptionFont = 4;
constexpr unsigned kBaselineBelowMiddle = 4;

TextureRect Cell(int left, int top) { return {left, top, left + GUIButton::kSlice, top + GUIButton::kSlice}; }

}  // namespace

GUIButton::GUIButton(unsigned wid) : IWidget(wid) {
  m_width = kDefaultWidth;
  m_height = kDefaultHeight;
  m_captionFont = kCaptionFont;
  SetCaption("Button");
}

bool GUIButton::Initialize(ITexture* texture) {
  m_texture = texture;
  const int s = kSlice;
  for (unsigned skin = 0; skin < kNumSkins; ++skin) {
    const int x = kSkinSize * static_cast<int>(skin);
    m_skinRects[skin * 4 + kTopLeft] = Cell(x, 0);
    m_skinRects[skin * 4 + kTopRight] = Cell(x + 2 * s, 0);
    m_skinRects[skin * 4 + kBottomLeft] = Cell(x, 2 * s);
    m_skinRects[skin * 4 + kBottomRight] = Cell(x + 2 * s, 2 * s);
    m_skinRects[8 + skin * 4 + kLeftEdge] = Cell(x, s);
    m_skinRects[8 + skin * 4 + kTopEdge] = Cell(x + s, 0);
    m_skinRects[8 + skin * 4 + kRightEdge] = Cell(x + 2 * s, s);
    m_skinRects[8 + skin * 4 + kBottomEdge] = Cell(x + s, 2 * s);
    m_skinRects[16 + skin] = Cell(x + s, s);
  }
  return true;
}

bool GUIButton::SendMessage(const GUIMessage& message) {
  if (message.type == GUI_DRAW) Draw();
  return IWidget::SendMessage(message);
}

bool GUIButton::Draw() {
  const unsigned colour = GetColour();
  m_width = std::max(std::max(m_width, m_captionWidth + kCaptionMargin), kMinSide);
  m_height = std::max(m_height, kMinSide);
  const float w = static_cast<float>(m_width), h = static_cast<float>(m_height), slice = kSlice;
  const float left = m_x, top = m_y, right = m_x + w - slice, bottom = m_y + h - slice;
  const float stretchX = (w - 2 * slice) / slice, stretchY = (h - 2 * slice) / slice;
  DrawSlice(Corner(kTopLeft), left, top, 1, 1, colour);
  DrawSlice(EdgeOf(kTopEdge), left + slice, top, stretchX, 1, colour);
  DrawSlice(Corner(kTopRight), right, top, 1, 1, colour);
  DrawSlice(Corner(kBottomLeft), left, bottom, 1, 1, colour);
  DrawSlice(EdgeOf(kBottomEdge), left + slice, bottom, stretchX, 1, colour);
  DrawSlice(Corner(kBottomRight), right, bottom, 1, 1, colour);
  if (m_height > kMinSide) {
    DrawSlice(EdgeOf(kLeftEdge), left, top + slice, 1, stretchY, colour);
    DrawSlice(EdgeOf(kRightEdge), right, top + slice, 1, stretchY, colour);
    DrawSlice(Centre(), left + slice, top + slice, stretchX, stretchY, colour);
  }
  DrawCaption();
  return true;
}

void GUIButton::DrawSlice(const TextureRect& rect, float x, float y, float scaleX, float scaleY, unsigned colour) {
  if (g_pGraphics) g_pGraphics->Draw2D(rect, {x, y, kDepth}, colour, m_texture, scaleX, scaleY);
}

// Centred across; the baseline sits 4 pixels below the middle.
void GUIButton::DrawCaption() {
  if (!g_pGUI) return;
  const int x = static_cast<int>((m_width - m_captionWidth) / 2) + static_cast<int>(m_x);
  const int y = static_cast<int>(m_height / 2) + static_cast<int>(m_y) + static_cast<int>(kBaselineBelowMiddle);
  g_pGUI->GetFontManager()->QueueText(m_captionFont, static_cast<unsigned>(x), static_cast<unsigned>(y),
                                      GetCaptionColour(), m_caption);
}

}  // namespace Basalt
