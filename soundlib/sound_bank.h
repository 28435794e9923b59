// The sound ids of the stand-in sound library: one per vessel, each with its wave
// slots and its options.
#pragma once

#include <array>
#include <vector>

#include "soundlib/slot.h"

namespace standin {

class SoundBank {
public:
    static constexpr int kIdCount = 60;     // ids 0..59
    static constexpr int kSlotCount = 60;   // slots 1..60
    static constexpr int kOptionCount = 17; // options 1..17
    // Options start switched on; vessels switch off what they do not want.
    static constexpr int kOptionDefault = 1;

    // The vessel's id, the same when asked again; -1 once every id is taken.
    int IdOf(int vessel);

    // Each returns false, doing nothing, for an id not given out, a slot or option out
    // of range, or (to play, stop or retune) a slot with no wave loaded.
    bool Load(int id, int slot, Wave wave);
    // Plays the slot from its start, once or over and over. A loop asked for again
    // while it sounds keeps its place and takes the new volume and frequency.
    bool Play(int id, int slot, bool loop, int volume, int frequency, double now);
    // Plays the slot as the only sound of its id.
    bool PlayExclusive(int id, int slot, bool loop, int volume, int frequency, double now);
    bool Stop(int id, int slot);
    // While held, the slot takes plays but does not sound, as when the simulator's user
    // has switched the sound off: it reports itself stopped. False for no such slot.
    bool HoldSilent(int id, int slot, bool held);
    bool SetFrequency(int id, int slot, int frequency, double now);
    bool IsPlaying(int id, int slot, double now) const;
    bool SetOption(int id, int option, int value);
    // The option's value; kOptionDefault until set, 0 for an id or option out of range.
    int Option(int id, int option) const;

    // Every slot of every id, for mixing.
    template <typename Visit> void ForEachSlot(Visit visit) const
    {
        for (const Sounds &sounds : ids_)
            for (const Slot &slot : sounds.slots)
                visit(slot);
    }

private:
    struct Sounds {
        int vessel = -1;
        std::array<Slot, kSlotCount> slots{};
        std::array<int, kOptionCount> options{};
    };

    Slot *Find(int id, int slot);
    const Slot *Find(int id, int slot) const;
    Slot *FindLoaded(int id, int slot);

    std::vector<Sounds> ids_; // index: id
};

} // namespace standin
