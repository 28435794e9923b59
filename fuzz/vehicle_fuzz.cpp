// Fuzz target: vehicles of the three modules driven by arbitrary bytes. The first byte
// chooses the sound library (present, absent, or lacking an entry point); then each
// event is an opcode byte and its operands: vehicles created and destroyed, key events
// with any scan code and either flag, steps of any length, host readings of any value,
// visuals created and destroyed in any order. Every event is followed by the checks of
// VehicleWatch; a broken invariant aborts with its description.
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "fuzz/byte_reader.h"
#include "fuzz/vehicle_exercise.h"

namespace {

constexpr std::size_t kMaxVehicles = 6;
constexpr std::size_t kMaxEvents = 4000; // bounds the time one input can take

// The scan codes some module answers (1, 2, 3, 5, 6, 7, 8, W, D, K); other codes come
// from the input's own bytes.
constexpr unsigned kModuleKeys[] = {2, 3, 4, 6, 7, 8, 9, 17, 32, 37};

unsigned ScanCode(fuzzing::ByteReader &in)
{
    const std::uint8_t choice = in.Byte();
    if (choice < 0xC0)
        return kModuleKeys[choice % std::size(kModuleKeys)];
    return choice == 0xFF ? in.Word() : in.Byte();
}

void RunEvent(reliability::VehicleExercise &exercise, fuzzing::ByteReader &in)
{
    enum Event { kCreate, kDestroy, kKey, kStep, kAirspeed, kAirspeedVector, kControlSurface,
                 kGroundContact, kThrusterLevel, kCreateVisual, kDestroyVisual, kFocus, kEvents };
    switch (in.Byte() % kEvents) {
    case kCreate: {
        const std::size_t classIndex = in.Byte();
        exercise.Create(classIndex, in.Byte() % 4);
        break;
    }
    case kDestroy:
        exercise.Destroy(in.Byte());
        break;
    case kKey: {
        const std::size_t slot = in.Byte();
        const unsigned key = ScanCode(in);
        exercise.Key(slot, key, in.Byte() & 1);
        break;
    }
    case kStep:
        exercise.Step(in.Number());
        break;
    case kAirspeed: {
        const std::size_t slot = in.Byte();
        exercise.SetAirspeed(slot, in.Number());
        break;
    }
    case kAirspeedVector: {
        const std::size_t slot = in.Byte();
        const double x = in.Number(), y = in.Number(), z = in.Number();
        exercise.SetAirspeedVector(slot, _V(x, y, z));
        break;
    }
    case kControlSurface: {
        const std::size_t slot = in.Byte(), surface = in.Byte();
        exercise.SetControlSurface(slot, surface, in.Number());
        break;
    }
    case kGroundContact: {
        const std::size_t slot = in.Byte();
        exercise.SetGroundContact(slot, in.Byte() & 1);
        break;
    }
    case kThrusterLevel: {
        const std::size_t slot = in.Byte(), thruster = in.Byte();
        exercise.SetThrusterLevel(slot, thruster, in.Number());
        break;
    }
    case kCreateVisual:
        exercise.CreateVisual(in.Byte());
        break;
    case kDestroyVisual:
        exercise.DestroyVisual(in.Byte());
        break;
    case kFocus: {
        const std::uint8_t slot = in.Byte();
        exercise.Focus(slot == 0xFF ? std::nullopt : std::optional<std::size_t>(slot));
        break;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const bool modulesKept = (reliability::VehicleExercise::KeepModulesLoaded(), true);
    (void)modulesKept;
    fuzzing::ByteReader in(data, size);
    // Each input starts with no vehicle, its own choice of sound library and no sound
    // log (the modules write it into the current folder).
    std::error_code ignored;
    std::filesystem::remove("OrbiterSound_Log.txt", ignored);
    const auto sound = reliability::SoundLibrary(in.Byte() % reliability::kSoundLibraryChoices);
    reliability::VehicleExercise exercise(sound, kMaxVehicles);
    for (std::size_t events = 0; !in.AtEnd() && events < kMaxEvents; ++events) {
        RunEvent(exercise, in);
        if (!exercise.Violations().empty()) {
            for (const auto &violation : exercise.Violations())
                std::fprintf(stderr, "invariant broken: %s\n", violation.c_str());
            std::abort();
        }
    }
    return 0;
}
