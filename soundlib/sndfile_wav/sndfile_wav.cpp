#include "sndfile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

struct SNDFILE {
    std::fstream stream;
    bool writing = false;
    int bytesPerSample = 0;
    bool isFloat = false;
    int channels = 0;
    sf_count_t framesLeft = 0;  // reading
    std::uint32_t dataBytes = 0; // writing
};

namespace {

constexpr std::uint16_t kPcmTag = 1, kFloatTag = 3, kExtensibleTag = 0xFFFE;
constexpr std::streamoff kHeaderBytes = 44; // RIFF, WAVE, a 16-byte fmt chunk, data

std::uint32_t Little(const unsigned char *bytes, int count)
{
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | bytes[i];
    return value;
}

void PutLittle(std::vector<char> &out, std::uint32_t value, int count)
{
    for (int i = 0; i < count; ++i)
        out.push_back(char(value >> (8 * i) & 0xFF));
}

bool ReadExactly(std::fstream &stream, void *into, std::size_t count)
{
    stream.read(static_cast<char *>(into), std::streamsize(count));
    return stream.gcount() == std::streamsize(count);
}

// Leaves the stream at the first sample; false for anything but uncompressed WAV.
bool ReadHeader(SNDFILE &file, SF_INFO &info)
{
    unsigned char riff[12];
    if (!ReadExactly(file.stream, riff, sizeof riff) || std::memcmp(riff, "RIFF", 4) != 0 ||
        std::memcmp(riff + 8, "WAVE", 4) != 0)
        return false;
    bool haveFormat = false;
    unsigned char chunk[8];
    while (ReadExactly(file.stream, chunk, sizeof chunk)) {
        std::uint32_t size = Little(chunk + 4, 4);
        if (std::memcmp(chunk, "fmt ", 4) == 0) {
            std::array<unsigned char, 40> format{};
            std::size_t wanted = std::min<std::size_t>(size, format.size());
            if (size < 16 || !ReadExactly(file.stream, format.data(), wanted))
                return false;
            file.stream.seekg(std::streamoff(size - wanted + (size & 1)), std::ios::cur);
            std::uint32_t tag = Little(format.data(), 2);
            if (tag == kExtensibleTag && size >= 26)
                tag = Little(format.data() + 24, 2); // the sub-format's first two bytes
            file.channels = int(Little(format.data() + 2, 2));
            info.samplerate = int(Little(format.data() + 4, 4));
            int bits = int(Little(format.data() + 14, 2));
            file.bytesPerSample = bits / 8;
            file.isFloat = tag == kFloatTag;
            bool integer = tag == kPcmTag && bits % 8 == 0 && bits >= 8 && bits <= 32;
            if (!(integer || (file.isFloat && bits == 32)) || file.channels <= 0)
                return false;
            haveFormat = true;
        } else if (std::memcmp(chunk, "data", 4) == 0) {
            if (!haveFormat)
                return false;
            file.framesLeft = size / std::uint32_t(file.bytesPerSample * file.channels);
            info.frames = file.framesLeft;
            info.channels = file.channels;
            static constexpr int kSubformats[] = {SF_FORMAT_PCM_U8, SF_FORMAT_PCM_16,
                                                  SF_FORMAT_PCM_24, SF_FORMAT_PCM_32};
            info.format = SF_FORMAT_WAV | (file.isFloat ? SF_FORMAT_FLOAT
                                                        : kSubformats[file.bytesPerSample - 1]);
            info.sections = 1;
            info.seekable = 1;
            return true;
        } else {
            file.stream.seekg(std::streamoff(size + (size & 1)), std::ios::cur);
        }
    }
    return false;
}

std::vector<char> Header(int rate, int channels, std::uint32_t dataBytes)
{
    std::vector<char> out;
    auto put = [&out](const char *tag) { out.insert(out.end(), tag, tag + 4); };
    put("RIFF");
    PutLittle(out, std::uint32_t(kHeaderBytes - 8) + dataBytes, 4);
    put("WAVE");
    put("fmt ");
    PutLittle(out, 16, 4);
    PutLittle(out, kPcmTag, 2);
    PutLittle(out, std::uint32_t(channels), 2);
    PutLittle(out, std::uint32_t(rate), 4);
    PutLittle(out, std::uint32_t(rate * channels * 2), 4); // bytes per second
    PutLittle(out, std::uint32_t(channels * 2), 2);        // bytes per frame
    PutLittle(out, 16, 2);
    put("data");
    PutLittle(out, dataBytes, 4);
    return out;
}

float Sample(const unsigned char *bytes, int count, bool isFloat)
{
    if (isFloat) {
        float value;
        std::uint32_t raw = Little(bytes, 4);
        std::memcpy(&value, &raw, sizeof value);
        return value;
    }
    if (count == 1)
        return float(int(bytes[0]) - 128) / 128.0f; // 8-bit samples are unsigned
    // Sign-extend from the top byte, then scale by the full range of the width.
    auto value = std::int32_t(Little(bytes, count) << (8 * (4 - count)));
    return float(double(value) / 2147483648.0);
}

SNDFILE *Open(const std::filesystem::path &path, int mode, SF_INFO *info)
{
    if (!info || (mode != SFM_READ && mode != SFM_WRITE))
        return nullptr;
    auto file = std::make_unique<SNDFILE>();
    if (mode == SFM_READ) {
        file->stream.open(path, std::ios::in | std::ios::binary);
        if (!file->stream || !ReadHeader(*file, *info))
            return nullptr;
        return file.release();
    }
    if (info->format != (SF_FORMAT_WAV | SF_FORMAT_PCM_16) || info->channels <= 0 ||
        info->samplerate <= 0)
        return nullptr;
    file->stream.open(path, std::ios::out | std::ios::binary | std::ios::trunc);
    if (!file->stream)
        return nullptr;
    file->writing = true;
    file->channels = info->channels;
    file->bytesPerSample = 2;
    std::vector<char> header = Header(info->samplerate, info->channels, 0);
    file->stream.write(header.data(), std::streamsize(header.size()));
    return file.release();
}

} // namespace

SNDFILE *sf_open(const char *path, int mode, SF_INFO *info)
{
    return path ? Open(std::filesystem::path(path), mode, info) : nullptr;
}

SNDFILE *sf_open(const wchar_t *path, int mode, SF_INFO *info)
{
    return path ? Open(std::filesystem::path(path), mode, info) : nullptr;
}

sf_count_t sf_readf_float(SNDFILE *file, float *frames, sf_count_t count)
{
    if (!file || file->writing || !frames || count <= 0)
        return 0;
    const int frameBytes = file->bytesPerSample * file->channels;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(frameBytes));
    sf_count_t done = 0;
    for (; done < count && file->framesLeft > 0; ++done, --file->framesLeft) {
        if (!ReadExactly(file->stream, bytes.data(), bytes.size()))
            break;
        for (int channel = 0; channel < file->channels; ++channel)
            frames[done * file->channels + channel] =
                Sample(&bytes[std::size_t(channel * file->bytesPerSample)], file->bytesPerSample,
                       file->isFloat);
    }
    return done;
}

sf_count_t sf_write_float(SNDFILE *file, const float *samples, sf_count_t count)
{
    if (!file || !file->writing || !samples || count <= 0)
        return 0;
    std::vector<char> bytes;
    bytes.reserve(std::size_t(count) * 2);
    for (sf_count_t i = 0; i < count; ++i) {
        double scaled = double(samples[i]) * 32767.0;
        long value = scaled >= 32767.0 ? 32767 : scaled <= -32768.0 ? -32768 : std::lrint(scaled);
        PutLittle(bytes, std::uint32_t(value) & 0xFFFF, 2);
    }
    file->stream.write(bytes.data(), std::streamsize(bytes.size()));
    if (!file->stream)
        return 0;
    file->dataBytes += std::uint32_t(bytes.size());
    return count;
}

int sf_command(SNDFILE *file, int command, void * /*data*/, int /*size*/)
{
    return file && command == SFC_SET_CLIPPING ? SF_TRUE : SF_FALSE;
}

int sf_close(SNDFILE *file)
{
    if (!file)
        return 1;
    std::unique_ptr<SNDFILE> owned(file);
    if (!file->writing)
        return 0;
    // The sizes are known only now: rewrite the header with them.
    std::vector<char> header = Header(0, file->channels, file->dataBytes);
    file->stream.seekp(0);
    file->stream.write(header.data(), 8); // RIFF and its size
    file->stream.seekp(kHeaderBytes - 4);
    file->stream.write(header.data() + kHeaderBytes - 4, 4); // the data size
    file->stream.close();
    return file->stream.fail() ? 1 : 0;
}
