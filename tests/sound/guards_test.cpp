// The guarded sound calls at the edges of their ranges: what passes reaches the
// library unchanged, what is refused returns 0 and reaches nothing.
#include <functional>

#include "tests/sound/sound_fixture.h"

namespace sound_testing {
namespace {

using testing::ElementsAre;
using testing::IsEmpty;

class GuardsTest : public SoundTest {
protected:
    void SetUp() override
    {
        SoundTest::SetUp();
        UseProbeModules();
        LoadSoundLibrary();
    }

    // One vehicle connected: the table is bound, id 0 is the vehicle's.
    ConnectorProbe Connected()
    {
        Create("rover", "VARLOK1");
        sim.Trace().Clear();
        return Probe("VARLOK1");
    }
};

// The four slot operations, called through a probe with (id, slot).
struct SlotOperation {
    const char *name;
    std::function<int(const ConnectorProbe &, int id, int slot)> call;
    const char *libraryCall; // as the library notes it, with "%d, %d" for id and slot
};

const SlotOperation kSlotOperations[] = {
    {"LoadWave", [](const ConnectorProbe &p, int id, int slot) { return p.loadWave(id, slot, "x.wav", 4); },
     "LoadVesselWaveOBSound3(%d, %d, \"x.wav\", 4)"},
    {"PlayWave", [](const ConnectorProbe &p, int id, int slot) { return p.playWave(id, slot, 1, 200, 0); },
     "PlayVesselWaveOBSound3(%d, %d, 1, 200, 0)"},
    {"StopWave", [](const ConnectorProbe &p, int id, int slot) { return p.stopWave(id, slot); },
     "StopVesselWave3(%d, %d)"},
    {"IsPlayingWave", [](const ConnectorProbe &p, int id, int slot) { return p.isPlayingWave(id, slot); },
     "IsPlayingVesselWave3(%d, %d)"},
};

std::string Expected(const char *format, int id, int slot, int result)
{
    char text[128];
    std::snprintf(text, sizeof text, format, id, slot);
    return std::string(text) + " -> " + std::to_string(result);
}

TEST_F(GuardsTest, LastIdAndLastSlotReachTheLibrary)
{
    ConnectorProbe probe = Connected();
    for (const SlotOperation &op : kSlotOperations) {
        SCOPED_TRACE(op.name);
        sim.Trace().Clear();
        // Id 59 was never given out, so the library itself answers 0.
        EXPECT_EQ(op.call(probe, 59, 60), 0);
        EXPECT_THAT(LibraryCalls(), ElementsAre(Expected(op.libraryCall, 59, 60, 0)));
    }
}

TEST_F(GuardsTest, TheLibrarysResultComesBackUnchanged)
{
    ConnectorProbe probe = Connected();
    EXPECT_EQ(probe.loadWave(0, 60, "x.wav", 4), 1);
    EXPECT_EQ(probe.playWave(0, 60, 1, 200, 0), 1);
    EXPECT_EQ(probe.isPlayingWave(0, 60), 1);
    EXPECT_EQ(probe.stopWave(0, 60), 1);
    EXPECT_EQ(probe.isPlayingWave(0, 60), 0);
    EXPECT_EQ(probe.setSoundOption(0, 17, 3), 1);
}

TEST_F(GuardsTest, IdsAndSlotsOutsideTheirRangesAreRefusedBeforeTheLibrary)
{
    ConnectorProbe probe = Connected();
    struct Case {
        int id, slot;
    };
    const Case kRefused[] = {{60, 1}, {-1, 1}, {0, 0}, {0, 61}, {-2147483647 - 1, 1}, {0, -60}};
    for (const SlotOperation &op : kSlotOperations) {
        for (const Case &c : kRefused) {
            SCOPED_TRACE(std::string(op.name) + " id " + std::to_string(c.id) + " slot " +
                         std::to_string(c.slot));
            EXPECT_EQ(op.call(probe, c.id, c.slot), 0);
        }
    }
    EXPECT_THAT(LibraryCalls(), IsEmpty());
}

TEST_F(GuardsTest, OptionsOneToSeventeenPassAndOthersAreRefused)
{
    ConnectorProbe probe = Connected();
    EXPECT_EQ(probe.setSoundOption(59, 17, 0), 0);
    EXPECT_EQ(probe.setSoundOption(0, 1, 0), 1);
    EXPECT_EQ(probe.setSoundOption(0, 0, 0), 0);
    EXPECT_EQ(probe.setSoundOption(0, 18, 0), 0);
    EXPECT_EQ(probe.setSoundOption(60, 1, 0), 0);
    EXPECT_EQ(probe.setSoundOption(-1, 1, 0), 0);
    EXPECT_THAT(LibraryCalls(), ElementsAre("SoundOption3(59, 17, 0) -> 0", "SoundOption3(0, 1, 0) -> 1"));
}

TEST_F(GuardsTest, BeforeAnyConnectEveryCallIsRefused)
{
    ConnectorProbe probe = Probe("VARLOK1");
    for (const SlotOperation &op : kSlotOperations) {
        SCOPED_TRACE(op.name);
        EXPECT_EQ(op.call(probe, 0, 1), 0);
    }
    EXPECT_EQ(probe.setSoundOption(0, 1, 0), 0);
    EXPECT_THAT(LibraryCalls(), IsEmpty());
}

} // namespace
} // namespace sound_testing
