#include "basalt/graphics/vertex_types.h"

#include <cstddef>

namespace Basalt {

namespace {

const VertexLayout kLayouts[kNumVertexTypes] = {
    {0, 0, {}},
    {56, 5,
     {{kAttribPosition, 3, 0, false},
      {kAttribNormal, 3, 12, false},
      {kAttribTexCoord, 2, 24, false},
      {kAttribTangent, 3, 32, false},
      {kAttribBinormal, 3, 44, false}}},
    {32, 3, {{kAttribPosition, 3, 0, false}, {kAttribNormal, 3, 12, false}, {kAttribTexCoord, 2, 24, false}}},
    {36, 3, {{kAttribPosition, 3, 0, false}, {kAttribTexCoord, 2, 12, false}, {kAttribColour, 4, 20, false}}},
    {20, 3, {{kAttribPosition, 3, 0, false}, {kAttribPointSize, 1, 12, false}, {kAttribColour, 4, 16, true}}},
};

static_assert(sizeof(VertexPoint) == 20, "VertexPoint is the 20-byte point layout");
static_assert(offsetof(VertexPoint, colour) == 16, "VertexPoint colour at 16");

}  // namespace

const VertexLayout* GetVertexLayout(VertexType type) {
  if (type == VTYPE_NONE || type >= kNumVertexTypes) return nullptr;
  return &kLayouts[type];
}

}  // namespace Basalt
