#include "backline/scene/board.h"

#include <cstdlib>

#include "backline/scene/button.h"
#include "backline/scene/scene_graph.h"
#include "basalt/core/core.h"
#include "basalt/foundation/log.h"
#include "basalt/graphics/mesh_manager.h"

namespace {

// Red to green from left to right, the bass bar across the middle.
struct Lane {
  const char* mesh;
  float x;
  float colour[4];
};
constexpr Lane kLanes[5] = {
    {"button.gmsh", -6.0f, {1.0f, 0.0f, 0.0f, 1.0f}}, {"button.gmsh", -2.0f, {1.0f, 1.0f, 0.0f, 1.0f}},
    {"button.gmsh", 2.0f, {0.0f, 0.0f, 1.0f, 1.0f}},  {"button.gmsh", 6.0f, {0.0f, 1.0f, 0.0f, 1.0f}},
    {"bassbar.gmsh", 0.0f, {1.0f, 0.8f, 0.0f, 0.5f}},
};

}  // namespace

bool Board::Initialize() {
  m_sceneGraph = Basalt::g_pCore ? static_cast<SceneGraph*>(Basalt::g_pCore->GetSceneGraph()) : nullptr;
  if (!m_sceneGraph) {
    Basalt::LogMessage("Board::Initialize(): no scene graph to place the notes in");
    return false;
  }
  for (unsigned i = 0; i < kNumNotes; ++i) {
    Button* note = m_sceneGraph->CreateObject<Button>("button", this);
    note->Initialize();
    const Lane& lane = kLanes[std::rand() % 5];
    note->mesh = Basalt::g_pMeshManager ? Basalt::g_pMeshManager->GetMesh(lane.mesh) : nullptr;
    note->position = {lane.x, 0.0f, kNoteSpacing * static_cast<float>(i)};
    note->SetSubsetColor(0, lane.colour[0], lane.colour[1], lane.colour[2], lane.colour[3]);
    m_notes[i] = note;
  }
  return true;
}
