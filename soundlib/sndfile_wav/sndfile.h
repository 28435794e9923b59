// The part of libsndfile's interface that this project uses, for a target that has no
// libsndfile (the Windows cross build): uncompressed WAV files only. Reads 8, 16, 24
// and 32-bit integer and 32-bit float samples; writes 16-bit integer samples. Samples
// are floats scaled as libsndfile scales them (16-bit: read as n / 32768, written as
// the nearest of x * 32767).
#pragma once

#include <cstdint>

typedef std::int64_t sf_count_t;

struct SF_INFO {
    sf_count_t frames;
    int samplerate;
    int channels;
    int format;
    int sections;
    int seekable;
};

struct SNDFILE;

enum {
    SF_FORMAT_WAV = 0x010000,
    SF_FORMAT_PCM_S8 = 0x0001,
    SF_FORMAT_PCM_16 = 0x0002,
    SF_FORMAT_PCM_24 = 0x0003,
    SF_FORMAT_PCM_32 = 0x0004,
    SF_FORMAT_PCM_U8 = 0x0005,
    SF_FORMAT_FLOAT = 0x0006,
    SF_FORMAT_SUBMASK = 0x0000FFFF,
    SF_FORMAT_TYPEMASK = 0x0FFF0000,
};

enum { SFM_READ = 0x10, SFM_WRITE = 0x20 };
enum { SF_FALSE = 0, SF_TRUE = 1 };
enum { SFC_SET_CLIPPING = 0x10C0 };

// Null when the file cannot be opened, is no WAV file of a kind read here, or (for
// writing) `info` asks for another format than 16-bit WAV.
SNDFILE *sf_open(const char *path, int mode, SF_INFO *info);
SNDFILE *sf_open(const wchar_t *path, int mode, SF_INFO *info);
sf_count_t sf_readf_float(SNDFILE *file, float *frames, sf_count_t count);
// `count` samples (not frames); the number written.
sf_count_t sf_write_float(SNDFILE *file, const float *samples, sf_count_t count);
// Clipping is always on here (loud samples clip rather than wrap); returns the setting.
int sf_command(SNDFILE *file, int command, void *data, int size);
// Completes the header of a written file; 0 when everything reached the disk.
int sf_close(SNDFILE *file);
