#include "basalt/gui/widget.h"

#include <cstring>

#include "basalt/gui/font_manager.h"
#include "basalt/gui/gui.h"

namespace Basalt {

namespace {

unsigned Byte(float component) { return static_cast<unsigned>(static_cast<int>(component * 255.0f)) & 0xFF; }

unsigned Argb(float alpha, float red, float green, float blue) {
  return Byte(alpha) << 24 | Byte(red) << 16 | Byte(green) << 8 | Byte(blue);
}

}  // namespace

IWidget::IWidget(unsigned wid) : m_wid(wid) {}

IWidget::~IWidget() {
  Unlink();
  for (IWidget* child = m_firstChild; child; child = child->m_nextSibling) child->m_parent = nullptr;
}

bool IWidget::Initialize(ITexture* texture) {
  m_texture = texture;
  m_initialized = true;
  m_state = 0;
  m_x = m_y = 0.0f;
  m_width = m_height = 0;
  m_colour[0] = 1.0f;
  return true;
}

bool IWidget::SendMessage(const GUIMessage& message) {
  switch (message.type) {
    case GUI_SHUTDOWN:
      Shutdown();
      return true;
    case GUI_UPDATE:
      Update();
      return true;
    case GUI_DRAW:
      Draw();
      RelayToChildren(message);
      return true;
    case GUI_MOVE_BY:
      m_x += static_cast<float>(message.P1());
      m_y += static_cast<float>(message.P2());
      RelayToChildren(message);
      return true;
    case GUI_MOVE_TO:
      m_x = static_cast<float>(message.P1());
      m_y = static_cast<float>(message.P2());
      RelayToChildren(message);
      return true;
    case GUI_SET_CAPTION:
      SetCaption(message.Text());
      return true;
    case GUI_SET_FONT:
      m_captionFont = static_cast<unsigned>(message.P1());
      return true;
    case GUI_SHOW:
      m_shown = true;
      return false;
    case GUI_HIDE:
      m_shown = false;
      return false;
  }
  return false;
}

bool IWidget::Shutdown() {
  if (m_firstChild) m_firstChild->SendMessage(GUI_SHUTDOWN);
  Unlink();
  return true;
}

void IWidget::SetCaption(const char* caption) {
  const size_t length = caption ? strnlen(caption, kCaptionCapacity - 1) : 0;
  if (length) std::memmove(m_caption, caption, length);
  m_caption[length] = '\0';
  m_captionWidth = g_pGUI ? g_pGUI->GetFontManager()->GetTextWidth(m_captionFont, m_caption) : 0;
}

void IWidget::SetCaptionColour(float red, float green, float blue) {
  m_captionColour[0] = red;
  m_captionColour[1] = green;
  m_captionColour[2] = blue;
}

void IWidget::SetColour(float alpha, float red, float green, float blue) {
  m_colour[0] = alpha;
  m_colour[1] = red;
  m_colour[2] = green;
  m_colour[3] = blue;
}

unsigned IWidget::GetColour() const { return Argb(m_colour[0], m_colour[1], m_colour[2], m_colour[3]); }

unsigned IWidget::GetCaptionColour() const {
  return Argb(m_colour[0], m_captionColour[0], m_captionColour[1], m_captionColour[2]);
}

void IWidget::SetState(StateFlag flag, bool on) {
  if (on)
    m_state |= flag;
  else
    m_state &= ~static_cast<unsigned>(flag);
}

bool IWidget::AddChild(IWidget* child) {
  child->m_nextSibling = m_firstChild;
  child->m_prevSibling = nullptr;
  child->m_parent = this;
  if (m_firstChild) m_firstChild->m_prevSibling = child;
  m_firstChild = child;
  return true;
}

void IWidget::Unlink() {
  if (m_prevSibling) m_prevSibling->m_nextSibling = m_nextSibling;
  if (m_nextSibling) m_nextSibling->m_prevSibling = m_prevSibling;
  if (m_parent && m_parent->m_firstChild == this) m_parent->m_firstChild = m_nextSibling;
  m_nextSibling = m_prevSibling = m_parent = nullptr;
}

void IWidget::BringToFront() {
  IWidget* parent = m_parent;
  if (!parent || parent->m_firstChild == this) return;
  Unlink();
  parent->AddChild(this);
}

void IWidget::RelayToChildren(const GUIMessage& message) {
  for (IWidget* child = m_firstChild; child;) {
    IWidget* next = child->m_nextSibling;  // a child may unlink itself on the way
    child->SendMessage(message);
    child = next;
  }
}

}  // namespace Basalt
