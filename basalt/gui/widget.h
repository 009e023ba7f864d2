#pragma once
// IWidget is a node of a widget tree: an id, a caption, a position, a size
// and a colour, driven entirely by GUIMessages. Children form a chain through
// their sibling links, the most recently added first; messages that relay
// (draw, move) go to the first child and then along that chain, so the newest
// child hears first. A context controller (context_controller.h) creates
// widgets, owns them and addresses them by id. Main thread only.
#include "basalt/gui/gui_message.h"

namespace Basalt {

class ITexture;

enum StateFlag : unsigned {
  STATE_FOCUSED = 0x1,
  STATE_PRESSED = 0x2,
  STATE_DISABLED = 0x4,
};

class IWidget {
 public:
  static constexpr unsigned kCaptionCapacity = 256;

  explicit IWidget(unsigned wid);
  // Leaves the tree: unlinked from its siblings, and its children no longer
  // name it as their parent (they stay chained to each other).
  virtual ~IWidget();
  IWidget(const IWidget&) = delete;
  IWidget& operator=(const IWidget&) = delete;

  // texture: the skin (not owned, must outlive the widget). Resets state,
  // position and size to 0 and the colour's alpha to 1.
  virtual bool Initialize(ITexture* texture);
  // The message table: see gui_message.h. True when the message was handled,
  // false for other types and for GUI_SHOW / GUI_HIDE.
  virtual bool SendMessage(const GUIMessage& message);
  virtual bool Update() { return true; }
  // Sends GUI_SHUTDOWN to the first child (which passes it on to its own),
  // then unlinks this widget.
  virtual bool Shutdown();
  virtual bool Draw() = 0;

  // A message of type with both ints 0.
  bool SendMessage(GUIMsgType type) { return SendMessage(GUIMessage::WithInts(type, 0, 0)); }

  unsigned GetWID() const { return m_wid; }
  // Copies at most 255 characters and measures them in the caption font.
  void SetCaption(const char* caption);
  const char* GetCaption() const { return m_caption; }
  // The width is measured again only by the next SetCaption.
  void SetCaptionFont(const int& font) { m_captionFont = static_cast<unsigned>(font); }
  unsigned GetCaptionFont() const { return m_captionFont; }
  unsigned GetCaptionWidth() const { return m_captionWidth; }
  void SetCaptionColour(float red, float green, float blue);
  // Each component 0..1; alpha 0 hides the widget (its caption too).
  void SetColour(float alpha, float red, float green, float blue);
  // ARGB, each component x 255 truncated.
  unsigned GetColour() const;
  unsigned GetCaptionColour() const;
  void SetSize(unsigned width, unsigned height) {
    m_width = width;
    m_height = height;
  }
  unsigned GetWidth() const { return m_width; }
  unsigned GetHeight() const { return m_height; }
  float GetX() const { return m_x; }
  float GetY() const { return m_y; }
  bool IsShown() const { return m_shown; }
  bool IsInitialized() const { return m_initialized; }

  // true sets the flag, false clears it.
  void SetState(StateFlag flag, bool on);
  bool GetState(StateFlag flag) const { return (m_state & flag) != 0; }

  // child becomes the first child, ahead of the former one. Always true.
  bool AddChild(IWidget* child);
  // Takes this widget out of its sibling chain (joining its neighbours) and
  // out of its parent's first-child link; its own children stay with it.
  void Unlink();
  // Makes this widget its parent's first child (drawn before its siblings).
  void BringToFront();
  void RelayToChildren(const GUIMessage& message);

  IWidget* GetParent() const { return m_parent; }
  IWidget* GetFirstChild() const { return m_firstChild; }
  IWidget* GetNextSibling() const { return m_nextSibling; }
  IWidget* GetPrevSibling() const { return m_prevSibling; }

 protected:
  ITexture* m_texture = nullptr;
  bool m_initialized = false;
  unsigned m_wid;
  char m_caption[kCaptionCapacity] = {};
  unsigned m_captionFont = 0;
  unsigned m_captionWidth = 0;
  float m_captionColour[3] = {1.0f, 1.0f, 1.0f};  // red, green, blue
  unsigned m_state = 0;
  float m_x = 0.0f;
  float m_y = 0.0f;
  unsigned m_width = 30;
  unsigned m_height = 30;
  float m_colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};  // alpha, red, green, blue
  bool m_shown = false;

 private:
  IWidget* m_nextSibling = nullptr;
  IWidget* m_prevSibling = nullptr;
  IWidget* m_firstChild = nullptr;
  IWidget* m_parent = nullptr;
};

}  // namespace Basalt
