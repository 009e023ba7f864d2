#pragma once
// Bitmap fonts and the text queue. A font is a 32-bit TGA whose glyphs are
// found by their alpha (glyph_scan.h) and drawn as sprites cut from the image
// uploaded as a texture. Text is not drawn when asked for: it is queued, and
// RenderText draws the whole queue once per frame at the end of the GUI pass.
// A text position's y is the baseline of the line. Owned by the GUI
// (g_pGUI->GetFontManager()); main thread only.
#include <cstdarg>
#include <vector>

#include "basalt/gui/glyph_scan.h"
#include "basalt/util/array.h"

namespace Basalt {

class ITexture;

class FontManager {
 public:
  static constexpr unsigned kFormatCapacity = 5096;
  static constexpr unsigned kMaxImageSide = 8192;
  static constexpr float kTextDepth = 0.01f;

  // One queued line. Its characters are in the manager's text pool.
  struct TextRequest {
    unsigned textOffset;
    unsigned length;
    unsigned font;
    unsigned x, y;
    unsigned colour;  // ARGB
  };

  FontManager() = default;
  ~FontManager();
  FontManager(const FontManager&) = delete;
  FontManager& operator=(const FontManager&) = delete;

  // Always true: the text is drawn through g_pGraphics's sprite pass.
  bool Initialize() { return true; }
  // Loads one font image; returns its id (its index in the font table) or -1.
  // An unreadable or malformed file still uses up its id. A texture that
  // cannot be made shows the "error" message box; memory running out is a log
  // line. Never throws.
  int LoadFont(const char* path);
  // Formats like printf and queues the result, cut to the length of format
  // itself: "%d" with 120 queues "12". Callers with finished text use QueueText.
  void DrawText(unsigned font, unsigned x, unsigned y, unsigned colour, const char* format, ...)
      __attribute__((format(printf, 6, 7)));
  // Queues text whole, unformatted (cut at kFormatCapacity - 1 characters).
  // The GUI's and the controllers' DrawText format first, then queue whole
  // through QueueFormatted.
  void QueueFormatted(unsigned font, unsigned x, unsigned y, unsigned colour, const char* format, va_list args)
      __attribute__((format(printf, 6, 0)));
  void QueueText(unsigned font, unsigned x, unsigned y, unsigned colour, const char* text);
  // ' ' gives the space width; characters without a glyph 0.
  unsigned GetGlyphWidth(unsigned font, char ch) const;
  // Sum of (glyph width + 1) over the characters.
  unsigned GetTextWidth(unsigned font, const char* text) const;
  // Draws and empties the queue; the queue keeps its memory for the next frame.
  void RenderText();
  // Releases every font's texture (needs the graphics device's context); the
  // fonts stay measurable and draw nothing.
  void Shutdown();

  unsigned NumFonts() const { return m_fonts.Count(); }
  bool IsLoaded(unsigned font) const { return font < m_fonts.Count() && m_fonts.Get(font).loaded; }
  // Null for a font id that was never loaded.
  const FontGlyphs* GetGlyphs(unsigned font) const { return IsLoaded(font) ? &m_fonts.Get(font).glyphs : nullptr; }
  ITexture* GetTexture(unsigned font) const { return IsLoaded(font) ? m_fonts.Get(font).texture : nullptr; }
  unsigned NumQueued() const { return m_queue.Count(); }
  const TextRequest& GetQueued(unsigned i) const { return m_queue.Get(i); }
  // The request's characters (length of them, not zero-terminated when full).
  const char* GetQueuedText(const TextRequest& request) const { return m_textPool.data() + request.textOffset; }

 private:
  struct FontRecord {
    bool loaded;
    FontGlyphs glyphs;
    unsigned imageWidth;
    ITexture* texture;  // owned
  };

  bool ReadFont(const char* path, FontRecord* font);
  void Queue(unsigned font, unsigned x, unsigned y, unsigned colour, const char* text, unsigned length);
  void DrawGlyph(unsigned font, char ch, unsigned x, unsigned y, unsigned colour);
  const FontRecord* Font(unsigned font) const { return IsLoaded(font) ? &m_fonts.Get(font) : nullptr; }

  util::Array<TextRequest> m_queue;
  util::Array<FontRecord> m_fonts;
  std::vector<char> m_textPool;
};

}  // namespace Basalt
