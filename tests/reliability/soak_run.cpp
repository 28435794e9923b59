#include "tests/reliability/soak_run.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <random>

#include <unistd.h>

namespace reliability {

namespace {

// Keys every module answers (1, 2, D, K), those only VARLOK3C answers (5, 6, 7, 8, W),
// and one no module answers (3).
constexpr unsigned kKeys[] = {2, 3, 32, 37, 6, 7, 8, 9, 17, 4};

// A step of length 0, a negative one (no simulator gives one) and a long one of a high
// time acceleration; one step in a thousand takes one of them. NaN and infinite steps
// are the fuzzer's: they would stop the host's clock for the rest of the run.
constexpr double kUnusualSteps[] = {0.0, -0.02, 10.0};

// The driver's input to one vehicle, changed now and then.
class Driver {
public:
    explicit Driver(std::uint64_t seed) : random_(seed) {}

    bool Chance(double p) { return std::bernoulli_distribution(p)(random_); }
    double Uniform(double low, double high)
    {
        return std::uniform_real_distribution<double>(low, high)(random_);
    }
    std::size_t Pick(std::size_t count)
    {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random_);
    }

    double StepLength(double usual)
    {
        if (Chance(0.001))
            return kUnusualSteps[Pick(std::size(kUnusualSteps))];
        return usual * Uniform(0.5, 1.5);
    }

    // New readings for one vehicle: thrust, rudder, speed and ground contact.
    void Drive(VehicleExercise &exercise, std::size_t slot)
    {
        const double speed = Uniform(0, 70);
        exercise.SetThrusterLevel(slot, 0, Chance(0.5) ? Uniform(0, 1) : 0);
        exercise.SetThrusterLevel(slot, 1, Chance(0.3) ? Uniform(0, 1) : 0);
        exercise.SetControlSurface(slot, AIRCTRL_RUDDER, Chance(0.5) ? 0 : Uniform(-1, 1));
        exercise.SetAirspeed(slot, speed);
        exercise.SetAirspeedVector(slot, _V(0, 0, Chance(0.8) ? speed : -speed));
        exercise.SetGroundContact(slot, Chance(0.9));
    }

    unsigned Key() { return Chance(0.02) ? unsigned(Pick(256)) : kKeys[Pick(std::size(kKeys))]; }

private:
    std::mt19937_64 random_;
};

} // namespace

long ResidentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

long MemoryGrowthKiB(const std::vector<MemorySample> &samples)
{
    if (samples.size() < 4)
        return 0;
    const long warm = samples[samples.size() / 4].residentKiB;
    long highest = warm;
    for (std::size_t i = samples.size() / 2; i < samples.size(); ++i)
        highest = std::max(highest, samples[i].residentKiB);
    return highest - warm;
}

SoakResult RunSoak(const SoakOptions &options,
                   const std::function<void(const MemorySample &)> &sampled)
{
    const std::size_t vehicles = std::size_t(options.vehiclesPerClass) * kClasses.size();
    VehicleExercise exercise(options.sound, vehicles);
    Driver driver(options.seed);
    for (std::size_t i = 0; i < vehicles; ++i)
        exercise.Create(i % kClasses.size());
    for (std::size_t slot = 0; slot < vehicles; ++slot)
        exercise.SetGroundContact(slot, true);

    SoakResult result;
    const double sampleEvery = options.simulatedSeconds / std::max(1, options.memorySamples);
    double simulated = 0, nextSample = 0;
    while (simulated < options.simulatedSeconds && exercise.Violations().empty()) {
        while (simulated >= nextSample) { // a long step may pass several sample times
            result.memory.push_back({simulated, exercise.VehicleSteps(), ResidentKiB()});
            if (sampled)
                sampled(result.memory.back());
            nextSample += sampleEvery;
        }
        // The vehicles' slots in creation order: a vehicle destroyed and made again
        // (one in five thousand steps) takes the last slot.
        for (std::size_t slot = 0; slot < exercise.VehicleCount(); ++slot) {
            if (driver.Chance(0.02))
                driver.Drive(exercise, slot);
            if (driver.Chance(0.005)) {
                const unsigned key = driver.Key();
                exercise.Key(slot, key, true);
                exercise.Key(slot, key, false);
            }
            if (driver.Chance(0.001))
                exercise.CreateVisual(slot);
            if (driver.Chance(0.001))
                exercise.DestroyVisual(slot);
            if (driver.Chance(0.0002)) {
                exercise.Destroy(slot);
                exercise.Create(driver.Pick(kClasses.size()));
                exercise.SetGroundContact(exercise.VehicleCount() - 1, true);
            }
        }
        const double dt = driver.StepLength(options.stepLength);
        exercise.Step(dt);
        if (std::isfinite(dt) && dt > 0)
            simulated += dt;
        else
            simulated += options.stepLength; // counted, so a run of such steps ends too
    }
    result.memory.push_back({simulated, exercise.VehicleSteps(), ResidentKiB()});
    if (sampled)
        sampled(result.memory.back());
    result.vehicleSteps = exercise.VehicleSteps();
    result.events = exercise.Events();
    result.violations = exercise.Violations();
    return result;
}

} // namespace reliability
