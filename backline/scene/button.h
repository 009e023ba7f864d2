#pragma once
// One note of the lane board: a mesh and a colour placed by the board that
// created it. Owned by the scene graph; main thread only.
#include "basalt/scene/base_object.h"

class Button : public Basalt::IBaseObject {
 public:
  static constexpr unsigned kTypeID = 1;

  Button() { m_typeID = kTypeID; }
};
