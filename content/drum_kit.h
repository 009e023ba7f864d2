#pragma once
#include <vector>

#include "content/mesh_builder.h"

namespace content {

// The drum set meshes. Subsets 0..4 of kit k are its pads at subsets
// k * 5 + pad (red snare, yellow and blue toms, green floor tom, the bass
// pedal); the drum set flashes them when they are struck. The one-kit mesh
// keeps subsets 5..9 as empty stand-ins, so pad slots of a second kit never
// tint anything else. Shells, hoops, cymbals and stands follow from subset 10.
std::vector<MeshPart> BuildDrumSet(int kits);

// The head centre of each pad of a kit (pad 4: the pedal's footboard), in
// mesh coordinates: where the cameras of the assign screen should look.
std::vector<Vec3> PadCentres(int kits);

// A note of the lane board and the bar that stands for a bass-drum note.
std::vector<MeshPart> BuildNoteButton();
std::vector<MeshPart> BuildBassBar();

}  // namespace content
