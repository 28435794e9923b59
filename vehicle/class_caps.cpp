// The vehicle's physical make-up as declared to the host once, after construction.
// Every module declares the same values; only the mesh name differs.
#include "vehicle/built_module.h"
#include "vehicle/surface_vehicle.h"

namespace {

struct PhysicalValues {
    double size;                 // m
    double emptyMass;            // kg
    double cw[4];                // drag coefficients: z+, z-, x, y
    double wingAspect;
    double wingEffectiveness;
    VECTOR3 crossSections;       // m^2
    VECTOR3 rotDrag;
    double pitchMomentScale;     // only from flight model 1 up
    double bankMomentScale;      // only from flight model 1 up
    VECTOR3 pmi;                 // m^2, principal moments per unit mass
    double trimScale;
    VECTOR3 cameraOffset;        // m: the front cockpit position
    VECTOR3 touchdown[3];        // m: front, rear left, rear right
    double propellantMaxMass;    // kg
    double propellantMass;       // kg; -1: a full tank
    double propellantEfficiency;
};

// In the order of the calls that declare them.
const PhysicalValues kPhysical = {
    .size = 7,
    .emptyMass = 100,
    .cw = {0.3, 0.3, 0.6, 0.9},
    .wingAspect = 0.1,
    .wingEffectiveness = 0.1,
    .crossSections = {{200, 30, 30}},
    .rotDrag = {{0.1, 0.1, 0.1}},
    .pitchMomentScale = 0.0001,
    .bankMomentScale = 0.0001,
    .pmi = {{57.9, 54.34, 17.13}},
    .trimScale = 0.05,
    .cameraOffset = {{-0.571, -0.074, 2.124}},
    .touchdown = {{{0, -1.87, 1}}, {{-1.6, -1.87, -1}}, {{1.6, -1.87, -1}}},
    .propellantMaxMass = 300,
    .propellantMass = -1,
    .propellantEfficiency = 1,
};

// All six thrusters have the same performance and share the one propellant resource.
constexpr double kThrusterMaxThrust = 90000; // N
constexpr double kThrusterIsp = 1.1e13;
constexpr double kThrusterIspSecond = 0;
constexpr double kThrusterReferencePressure = 101400; // Pa

struct ThrusterRow {
    VECTOR3 position;  // m
    VECTOR3 direction; // thrust direction
};

// In creation order: thMain, thRetro, thYaw[0] .. thYaw[3].
// clang-format off
const ThrusterRow kThrusters[6] = {
    // position          direction
    {{{ 0, 0, -4.3}}, {{0, 0,  1}}}, // thMain
    {{{ 0, 0,  4.3}}, {{0, 0, -1}}}, // thRetro
    {{{ 1, 0,  1  }}, {{0, 0,  1}}}, // thYaw[0]
    {{{-1, 0,  1  }}, {{0, 0,  1}}}, // thYaw[1]
    {{{ 1, 0, -1  }}, {{0, 0, -1}}}, // thYaw[2]
    {{{-1, 0, -1  }}, {{0, 0, -1}}}, // thYaw[3]
};
// clang-format on

// Each yaw group pairs a forward thruster at one side of the nose with a backward one
// at the other side of the tail: a turn without net thrust.
struct YawGroupRow {
    int first, second; // indices into thYaw
    THGROUP_TYPE type;
};

// clang-format off
const YawGroupRow kYawGroups[2] = {
    // members  type
    {0, 3,      THGROUP_ATT_YAWLEFT},
    {1, 2,      THGROUP_ATT_YAWRIGHT},
};
// clang-format on

} // namespace

void SurfaceVehicle::clbkSetClassCaps(FILEHANDLE /*cfg*/)
{
    const PhysicalValues &p = kPhysical;
    SetSize(p.size);
    SetEmptyMass(p.emptyMass);
    SetCW(p.cw[0], p.cw[1], p.cw[2], p.cw[3]);
    SetWingAspect(p.wingAspect);
    SetWingEffectiveness(p.wingEffectiveness);
    SetCrossSections(p.crossSections);
    SetRotDrag(p.rotDrag);
    if (GetFlightModel() >= 1) {
        SetPitchMomentScale(p.pitchMomentScale);
        SetBankMomentScale(p.bankMomentScale);
    }
    SetPMI(p.pmi);
    SetTrimScale(p.trimScale);
    SetCameraOffset(p.cameraOffset);
    SetTouchdownPoints(p.touchdown[0], p.touchdown[1], p.touchdown[2]);
    EnableTransponder(true);

    PROPELLANT_HANDLE propellant = CreatePropellantResource(
        p.propellantMaxMass, p.propellantMass, p.propellantEfficiency);
    auto createThruster = [&](const ThrusterRow &row) {
        return CreateThruster(row.position, row.direction, kThrusterMaxThrust, propellant,
                              kThrusterIsp, kThrusterIspSecond, kThrusterReferencePressure);
    };

    thMain = createThruster(kThrusters[0]);
    CreateThrusterGroup(&thMain, 1, THGROUP_MAIN);
    thRetro = createThruster(kThrusters[1]);
    CreateThrusterGroup(&thRetro, 1, THGROUP_RETRO);
    for (int i = 0; i < 4; ++i)
        thYaw[i] = createThruster(kThrusters[2 + i]);
    for (const YawGroupRow &group : kYawGroups) {
        thGroupList[0] = thYaw[group.first];
        thGroupList[1] = thYaw[group.second];
        CreateThrusterGroup(thGroupList, 2, group.type);
    }

    UINT meshIndex = AddMesh(oapiLoadMeshGlobal(kModule.meshName.value), nullptr);
    SetMeshVisibilityMode(meshIndex, MESHVIS_ALWAYS);
}
