#include "surface_vehicle.h"

void SurfaceVehicle::DefineAnimations() {}

SurfaceVehicle::~SurfaceVehicle() {}
