// Everything a vessel module compiles against.
#pragma once

#include "sdk/OrbiterAPI.h"
#include "sdk/VesselAPI.h"
