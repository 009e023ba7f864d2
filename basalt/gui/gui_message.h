#pragma once
// The messages that drive widgets (widget.h). Screens build one, send it by
// widget id through their context controller, and may reuse it at once: the
// widget copies what it keeps.
#include <cstring>

namespace Basalt {

enum GUIMsgType : unsigned {
  GUI_SHUTDOWN = 0,
  GUI_UPDATE = 3,
  GUI_DRAW = 4,          // drawn, then relayed to the children
  GUI_MOVE_BY = 11,      // x += p1, y += p2, relayed
  GUI_MOVE_TO = 12,      // x = p1, y = p2, relayed
  GUI_SET_CAPTION = 13,  // payload: zero-terminated text
  GUI_SET_FONT = 14,     // caption font = p1
  GUI_SHOW = 15,
  GUI_HIDE = 16,
};

struct GUIMessage {
  static constexpr unsigned kPayloadBytes = 256;

  GUIMsgType type = GUI_SHUTDOWN;
  char payload[kPayloadBytes] = {};

  // A message of type whose payload starts with the two ints p1 and p2.
  static GUIMessage WithInts(GUIMsgType type, int p1, int p2) {
    GUIMessage message;
    message.type = type;
    std::memcpy(message.payload, &p1, sizeof p1);
    std::memcpy(message.payload + sizeof p1, &p2, sizeof p2);
    return message;
  }
  // A GUI_SET_CAPTION message; text is cut to 255 characters.
  static GUIMessage Caption(const char* text) {
    GUIMessage message;
    message.type = GUI_SET_CAPTION;
    std::strncpy(message.payload, text ? text : "", kPayloadBytes - 1);
    return message;
  }

  int P1() const { return Int(0); }
  int P2() const { return Int(sizeof(int)); }
  // The payload as text (a receiver reads at most 255 characters of it).
  const char* Text() const { return payload; }

 private:
  int Int(unsigned offset) const {
    int value = 0;
    std::memcpy(&value, payload + offset, sizeof value);
    return value;
  }
};
static_assert(sizeof(GUIMessage) == 260, "a message is its type and 256 bytes of payload");

}  // namespace Basalt
