#pragma once
// The full-screen modes of the first display and the choice among them.
#include <vector>

namespace Basalt {

struct DisplayMode {
  unsigned width;
  unsigned height;
  unsigned refreshRate;
  unsigned format;  // SDL pixel format
};

// The 32-bit modes of display 0 in SDL's order (its desktop mode when the
// driver lists none) into *modes; -1 (modes left
// empty, and a log line) when SDL cannot read them, else their count.
int EnumerateDisplayModes(std::vector<DisplayMode>* modes);

// The index of the mode nearest to width x height by |dw| + |dh|, the first
// of equal distances winning; -1 for an empty list.
int FindClosestDisplayMode(const std::vector<DisplayMode>& modes, int width, int height);

}  // namespace Basalt
