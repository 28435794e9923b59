// Everything a vessel module compiles against.
#pragma once

#include "OrbiterAPI.h"
#include "VesselAPI.h"
