// Where a shipped class's moving parts are among its animations (the index each has in
// its rig's creation order), as the module's own rig table lays them out: the table is
// read at build time by a program built against each module (rig_layout_dump.cpp).
#pragma once

#include <string_view>

namespace testing_support {

struct RigLayout {
    int latchLeft, latchRight, leverLeft1, leverRight1, leverLeft2, leverRight2;
    int doorLeft, doorRight, wheelsRightFwd, wheelsLeftFwd, wheelsRightRev, wheelsLeftRev;
    int turret, cannon, roof; // -1 where the class has none
};

// The layout of a shipped class; null for any other.
const RigLayout *RigLayoutOf(std::string_view className);

} // namespace testing_support
