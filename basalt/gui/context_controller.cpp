#include "basalt/gui/context_controller.h"

#include <cstdarg>

#include "basalt/gui/gui.h"
#include "basalt/gui/widget.h"

namespace Basalt {

bool IContextController::Shutdown() {
  m_widgets.Clear();
  return true;
}

bool IContextController::SendMessage(unsigned wid, const GUIMessage& message) {
  IWidget* widget = m_widgets.Find(wid);
  return widget && widget->SendMessage(message);
}

bool IContextController::KillWidget(IWidget* widget) {
  if (!widget) return false;
  widget->Unlink();
  widget->SendMessage(GUIMessage{});
  m_widgets.Remove(widget->GetWID());
  delete widget;
  return true;
}

void IContextController::KillAllWidgets() {
  while (IWidget* widget = m_widgets.Any()) KillWidget(widget);
}

void IContextController::DrawText(unsigned font, unsigned x, unsigned y, unsigned colour, const char* format, ...) {
  if (!g_pGUI) return;
  va_list args;
  va_start(args, format);
  g_pGUI->GetFontManager()->QueueFormatted(font, x, y, colour, format, args);
  va_end(args);
}

}  // namespace Basalt
