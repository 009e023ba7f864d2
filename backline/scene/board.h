#pragma once
// A lane board of 256 notes running along z, one lane per pad, for showing a
// performance ahead of the player. Initialize creates the notes as its
// children in the core's scene graph (which owns them, and the board, if
// the board was made there). No screen shows a board yet. Main thread only.
#include "basalt/scene/base_object.h"

class Button;
class SceneGraph;

class Board : public Basalt::IBaseObject {
 public:
  static constexpr unsigned kTypeID = 1;
  static constexpr unsigned kNumNotes = 256;
  static constexpr float kNoteSpacing = 6.0f;

  Board() { m_typeID = kTypeID; }

  // Creates the notes, each on a lane drawn at random (std::rand), in the
  // core's scene graph, which must be a SceneGraph; false (logged) when the
  // core has none.
  bool Initialize() override;

  Button* GetNote(unsigned i) const { return i < kNumNotes ? m_notes[i] : nullptr; }

 private:
  Button* m_notes[kNumNotes] = {};
  SceneGraph* m_sceneGraph = nullptr;
};
