#pragma once
// The one concrete widget: a box drawn as a nine-slice from the GUI skin
// (two skins of 30 x 30 pixels side by side, each cut into 10-pixel slices),
// with its caption centred in it. The box grows to fit its caption and never
// shrinks below 20 x 20. Main thread only.
#include "basalt/graphics/graphics_device.h"
#include "basalt/gui/widget.h"

namespace Basalt {

class GUIButton : public IWidget {
 public:
  static constexpr unsigned kNumSkins = 2;
  static constexpr int kSkinSize = 30;
  static constexpr int kSlice = 10;
  static constexpr unsigned kCaptionMargin = 16;  // at least 8 pixels either side of the caption
  static constexpr unsigned kMinSide = 20;
  static constexpr float kDepth = 0.1f;

  // 100 x 30, caption "Button" in font 4, skin 0.
  explicit GUIButton(unsigned wid);

  // Keeps texture and cuts the skins; unlike IWidget it leaves the size,
  // position and colour as they are.
  bool Initialize(ITexture* texture) override;
  // GUI_DRAW draws the button once here and once more in IWidget's handling.
  bool SendMessage(const GUIMessage& message) override;
  using IWidget::SendMessage;
  bool Update() override { return true; }
  bool Shutdown() override { return true; }
  // Nine quads through g_pGraphics->Draw2D, then the caption queued.
  bool Draw() override;

  void SetSkin(unsigned skin) { m_skin = skin < kNumSkins ? skin : 0; }
  unsigned GetSkin() const { return m_skin; }
  // Source rectangles in the skin texture: the corners of skin 0 then of
  // skin 1 (top-left, top-right, bottom-left, bottom-right), the edges of
  // skin 0 then of skin 1 (left, top, right, bottom), the two centres.
  const TextureRect& GetSkinRect(unsigned index) const { return m_skinRects[index]; }

 protected:
  void DrawCaption();

 private:
  enum Slice : unsigned { kTopLeft, kTopRight, kBottomLeft, kBottomRight };
  enum Edge : unsigned { kLeftEdge, kTopEdge, kRightEdge, kBottomEdge };
  void DrawSlice(const TextureRect& rect, float x, float y, float scaleX, float scaleY, unsigned colour);
  const TextureRect& Corner(Slice slice) const { return m_skinRects[m_skin * 4 + slice]; }
  const TextureRect& EdgeOf(Edge edge) const { return m_skinRects[8 + m_skin * 4 + edge]; }
  const TextureRect& Centre() const { return m_skinRects[16 + m_skin]; }

  TextureRect m_skinRects[18] = {};
  unsigned m_skin = 0;
};

}  // namespace Basalt
