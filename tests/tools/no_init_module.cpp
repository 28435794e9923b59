// A library in the place of a vessel module that lacks the vessel factory "ovcInit".
extern "C" __attribute__((visibility("default"))) int GetModuleVersion() { return 1; }
