// The simulator root, laid out as the simulator's own installation: Modules/ (one
// module library per vessel class, named after the class), Meshes/, Sound/, the sound
// library "OrbiterSound.dll", Scenarios/. The sound log lands in the root, because the
// run takes place there.
#pragma once

#include <string>
#include <vector>

namespace vesselhost {

// Throws host::Error unless `root` is a folder with a Modules/ folder.
void RequireRoot(const std::string &root);
std::string ModuleDirectory(const std::string &root);
std::string SoundLibraryPath(const std::string &root);
// The classes whose module libraries are in the folder, sorted.
std::vector<std::string> ClassesIn(const std::string &moduleDirectory);

} // namespace vesselhost
