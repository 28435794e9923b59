// Where the engine meets the module it is built into: the module's description
// (kModule, modules/<name>/module.h). The module's folder is on the include path of its
// own engine objects only, and this header is the one engine file that reaches into it.
#pragma once

#include "module.h"
