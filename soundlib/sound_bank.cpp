#include "soundlib/sound_bank.h"

#include <algorithm>
#include <utility>

namespace standin {

int SoundBank::IdOf(int vessel)
{
    for (std::size_t id = 0; id < ids_.size(); ++id)
        if (ids_[id].vessel == vessel)
            return int(id);
    if (ids_.size() == kIdCount)
        return -1;
    Sounds &sounds = ids_.emplace_back();
    sounds.vessel = vessel;
    sounds.options.fill(kOptionDefault);
    return int(ids_.size()) - 1;
}

Slot *SoundBank::Find(int id, int slot)
{
    return const_cast<Slot *>(std::as_const(*this).Find(id, slot));
}

const Slot *SoundBank::Find(int id, int slot) const
{
    if (id < 0 || std::size_t(id) >= ids_.size() || slot < 1 || slot > kSlotCount)
        return nullptr;
    return &ids_[std::size_t(id)].slots[std::size_t(slot - 1)];
}

Slot *SoundBank::FindLoaded(int id, int slot)
{
    Slot *found = Find(id, slot);
    return found && found->wave ? found : nullptr;
}

bool SoundBank::Load(int id, int slot, Wave wave)
{
    Slot *found = Find(id, slot);
    if (!found)
        return false;
    *found = Slot{};
    found->wave = std::move(wave);
    return true;
}

bool SoundBank::Play(int id, int slot, bool loop, int volume, int frequency, double now)
{
    Slot *found = FindLoaded(id, slot);
    if (!found)
        return false;
    bool keepsPlace = loop && found->loop && found->SoundingAt(now);
    found->anchorPosition = keepsPlace ? found->PositionAt(now) : 0;
    found->anchorTime = now;
    found->started = true;
    found->loop = loop;
    found->gain = double(std::clamp(volume, 0, kFullVolume)) / kFullVolume;
    found->rate = found->RateFor(frequency);
    return true;
}

bool SoundBank::PlayExclusive(int id, int slot, bool loop, int volume, int frequency,
                              double now)
{
    if (!FindLoaded(id, slot))
        return false;
    for (Slot &other : ids_[std::size_t(id)].slots)
        other.started = false;
    return Play(id, slot, loop, volume, frequency, now);
}

bool SoundBank::Stop(int id, int slot)
{
    Slot *found = FindLoaded(id, slot);
    if (!found)
        return false;
    found->started = false;
    return true;
}

bool SoundBank::HoldSilent(int id, int slot, bool held)
{
    Slot *found = Find(id, slot);
    if (!found)
        return false;
    found->heldSilent = held;
    return true;
}

bool SoundBank::SetFrequency(int id, int slot, int frequency, double now)
{
    Slot *found = FindLoaded(id, slot);
    if (!found)
        return false;
    found->anchorPosition = found->PositionAt(now);
    found->anchorTime = now;
    found->rate = found->RateFor(frequency);
    return true;
}

bool SoundBank::IsPlaying(int id, int slot, double now) const
{
    const Slot *found = Find(id, slot);
    return found && found->SoundingAt(now);
}

bool SoundBank::SetOption(int id, int option, int value)
{
    if (id < 0 || std::size_t(id) >= ids_.size() || option < 1 || option > kOptionCount)
        return false;
    ids_[std::size_t(id)].options[std::size_t(option - 1)] = value;
    return true;
}

int SoundBank::Option(int id, int option) const
{
    if (id < 0 || std::size_t(id) >= ids_.size() || option < 1 || option > kOptionCount)
        return 0;
    return ids_[std::size_t(id)].options[std::size_t(option - 1)];
}

} // namespace standin
