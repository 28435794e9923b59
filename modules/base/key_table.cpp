// The base vehicle's keys, shared by VARLOK1 and KELDOCONTROL: cameras, rear doors,
// engine start.
#include "vehicle/keys.h"

namespace {

const KeyRow kKeys[] = {
    {OAPI_KEY_1, keys::FrontCamera, 1},
    {OAPI_KEY_2, keys::RearCamera, 1},
    {OAPI_KEY_D, keys::RearDoors, 1},
    {OAPI_KEY_K, keys::StartEngine, 1},
};

} // namespace

const std::span<const KeyRow> kKeyTable(kKeys);
