#include "tests/support/rig_layout.h"

namespace testing_support {

namespace {

struct ClassLayout {
    std::string_view className;
    RigLayout layout;
};

constexpr ClassLayout kLayouts[] = {
#include "rig_layouts.inc" // one row per module, printed by rig_layout_dump
};

} // namespace

const RigLayout *RigLayoutOf(std::string_view className)
{
    for (const ClassLayout &row : kLayouts)
        if (row.className == className)
            return &row.layout;
    return nullptr;
}

} // namespace testing_support
