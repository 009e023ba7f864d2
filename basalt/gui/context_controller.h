#pragma once
// A context controller owns a set of widgets addressed by id and is what an
// application talks to: it creates widgets (in its derived class), sends them
// messages by id and queues text. The GUI draws each registered controller
// once per frame (gui.h). Main thread only.
#include "basalt/gui/gui_message.h"
#include "basalt/gui/widget_table.h"

namespace Basalt {

class ITexture;

class IContextController {
 public:
  IContextController() = default;
  virtual ~IContextController() = default;
  IContextController(const IContextController&) = delete;
  IContextController& operator=(const IContextController&) = delete;

  virtual bool Initialize() { return true; }
  virtual bool Update() { return true; }
  virtual bool Draw() { return true; }
  // Forgets every widget; destroying them is the derived class's business.
  virtual bool Shutdown();
  // The widget's own answer (IWidget::SendMessage); false when wid is unknown.
  virtual bool SendMessage(unsigned wid, const GUIMessage& message);

  // Unlinks, shuts down and destroys widget wid; false when it is unknown.
  bool KillWidget(unsigned wid) { return KillWidget(m_widgets.Find(wid)); }
  IWidget* FindWidget(unsigned wid) const { return m_widgets.Find(wid); }
  // Formats like printf and queues the finished text whole in g_pGUI's font
  // manager (a '%' in the result is drawn as it is).
  void DrawText(unsigned font, unsigned x, unsigned y, unsigned colour, const char* format, ...)
      __attribute__((format(printf, 6, 7)));
  bool IsDrawingEnabled() const { return m_drawingEnabled; }

 protected:
  bool KillWidget(IWidget* widget);
  // Destroys every widget of the table.
  void KillAllWidgets();

  ITexture* m_texture = nullptr;  // the skin of its widgets
  bool m_drawingEnabled = true;
  WidgetTable m_widgets;
};

}  // namespace Basalt
