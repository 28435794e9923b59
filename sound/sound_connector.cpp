// Placeholder until the connector lands: every call is refused, as without the library.
#include "sound_connector.h"

int ConnectToOrbiterSoundDLL3(OBJHANDLE) { return -1; }
int SoundConnector::LoadWave(int, int, const char *, int) { return 0; }
int SoundConnector::PlayWave(int, int, int, int, int) { return 0; }
int SoundConnector::StopWave(int, int) { return 0; }
int SoundConnector::IsPlayingWave(int, int) { return 0; }
int SoundConnector::SetSoundOption(int, int, int) { return 0; }
void SoundConnector::WriteSoundLog(const char *, const char *) {}
