// Pictures of vessels on the ground: a top view above a side view, as a PNG.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/vessel/vessel_state.h"
#include "output/output_file.h"

namespace vesselhost {

inline constexpr int kPictureWidth = 1200;  // pixels
inline constexpr int kPictureHeight = 900;  // pixels

// Draws the vessels at their ground positions and headings, each posed at its current
// animation states and labelled with its name: the mesh the vessel added, or its
// placeholder when that mesh has no geometry. The top view has the ground's z to the
// right and x downward; the side view below it shares the z scale and looks from +x.
// Vessels too small to show their shape are dots; a label is drawn where it fits.
// `progress` hears what the drawing does and the share done.
// The PNG goes into `file` (its caller commits it); throws host::Error for a vessel that
// cannot be drawn, output::OutputError when the file cannot be written.
void RenderPicture(const std::vector<const host::Vessel *> &vessels, output::OutputFile &file,
                   const std::function<void(const char *what, double done)> &progress = {});

} // namespace vesselhost
