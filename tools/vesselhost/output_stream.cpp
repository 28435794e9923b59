#include "tools/vesselhost/output_stream.h"

#include <algorithm>
#include <string>

#include "host/base/host_error.h"

#if VESSELHOST_ZLIB
#include <zlib.h>
#endif
#if VESSELHOST_ZSTD
#include <zstd.h>
#endif

namespace vesselhost {

namespace {

enum class Compression { None, Gzip, Zstd };

bool EndsWith(const std::string &text, std::string_view suffix)
{
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

Compression CompressionOf(const std::string &path)
{
    if (EndsWith(path, ".gz"))
        return Compression::Gzip;
    if (EndsWith(path, ".zst"))
        return Compression::Zstd;
    return Compression::None;
}

// Output buffers of the compressors: a write to the file per this many bytes.
constexpr std::size_t kChunk = 1 << 18;

class PlainStream : public OutputStream {
public:
    explicit PlainStream(std::unique_ptr<output::OutputFile> file) : file_(std::move(file)) {}
    void Write(std::string_view data) override { file_->Write(data); }
    void Finish() override { file_->Close(); }
    output::OutputFile &File() override { return *file_; }

private:
    std::unique_ptr<output::OutputFile> file_;
};

#if VESSELHOST_ZLIB
class GzipStream : public OutputStream {
public:
    explicit GzipStream(std::unique_ptr<output::OutputFile> file) : file_(std::move(file))
    {
        // 15 + 16: a gzip header and trailer around the deflate stream. The fastest
        // level: the trace is large and mostly repeats itself, so it still shrinks
        // about tenfold.
        if (deflateInit2(&z_, Z_BEST_SPEED, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) != Z_OK)
            throw output::OutputError(file_->Path() + ": the gzip compressor cannot be set up");
        out_.resize(kChunk);
    }
    ~GzipStream() override { deflateEnd(&z_); }

    void Write(std::string_view data) override { Deflate(data, Z_NO_FLUSH); }
    void Finish() override
    {
        Deflate({}, Z_FINISH);
        file_->Close();
    }
    output::OutputFile &File() override { return *file_; }

private:
    void Deflate(std::string_view data, int flush)
    {
        // zlib counts in 32-bit sizes: larger writes go in pieces.
        constexpr std::size_t kMost = 1u << 30;
        do {
            std::size_t piece = std::min(data.size(), kMost);
            z_.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.data()));
            z_.avail_in = uInt(piece);
            data.remove_prefix(piece);
            int pieceFlush = data.empty() ? flush : Z_NO_FLUSH;
            int result;
            do {
                z_.next_out = reinterpret_cast<Bytef *>(out_.data());
                z_.avail_out = uInt(out_.size());
                result = deflate(&z_, pieceFlush);
                if (result == Z_STREAM_ERROR)
                    throw output::OutputError(file_->Path() + ": gzip compression failed");
                file_->Write({out_.data(), out_.size() - z_.avail_out});
            } while (z_.avail_out == 0 || (pieceFlush == Z_FINISH && result != Z_STREAM_END));
        } while (!data.empty());
    }

    std::unique_ptr<output::OutputFile> file_;
    z_stream z_{};
    std::string out_;
};
#endif

#if VESSELHOST_ZSTD
class ZstdStream : public OutputStream {
public:
    explicit ZstdStream(std::unique_ptr<output::OutputFile> file)
        : file_(std::move(file)), context_(ZSTD_createCCtx())
    {
        if (!context_)
            throw output::OutputError(file_->Path() + ": the zstd compressor cannot be set up");
        ZSTD_CCtx_setParameter(context_, ZSTD_c_compressionLevel, 1);
        out_.resize(ZSTD_CStreamOutSize());
    }
    ~ZstdStream() override { ZSTD_freeCCtx(context_); }

    void Write(std::string_view data) override { Compress(data, ZSTD_e_continue); }
    void Finish() override
    {
        Compress({}, ZSTD_e_end);
        file_->Close();
    }
    output::OutputFile &File() override { return *file_; }

private:
    void Compress(std::string_view data, ZSTD_EndDirective mode)
    {
        ZSTD_inBuffer in{data.data(), data.size(), 0};
        for (;;) {
            ZSTD_outBuffer out{out_.data(), out_.size(), 0};
            std::size_t left = ZSTD_compressStream2(context_, &out, &in, mode);
            if (ZSTD_isError(left))
                throw output::OutputError(file_->Path() + ": zstd compression failed (" +
                                          ZSTD_getErrorName(left) + ")");
            file_->Write({out_.data(), out.pos});
            bool done = mode == ZSTD_e_end ? left == 0 : in.pos == in.size;
            if (done)
                return;
        }
    }

    std::unique_ptr<output::OutputFile> file_;
    ZSTD_CCtx *context_;
    std::string out_;
};
#endif

} // namespace

void OutputStream::CheckName(const std::string &path)
{
    Compression compression = CompressionOf(path);
#if !VESSELHOST_ZLIB
    if (compression == Compression::Gzip)
        throw host::Error(path + ": this build of vesselhost cannot write gzip (no zlib)");
#endif
#if !VESSELHOST_ZSTD
    if (compression == Compression::Zstd)
        throw host::Error(path + ": this build of vesselhost cannot write zstd (no libzstd)");
#endif
    (void)compression;
}

std::unique_ptr<OutputStream> OutputStream::For(std::unique_ptr<output::OutputFile> file)
{
    CheckName(file->Path());
    switch (CompressionOf(file->Path())) {
#if VESSELHOST_ZLIB
    case Compression::Gzip:
        return std::make_unique<GzipStream>(std::move(file));
#endif
#if VESSELHOST_ZSTD
    case Compression::Zstd:
        return std::make_unique<ZstdStream>(std::move(file));
#endif
    default:
        return std::make_unique<PlainStream>(std::move(file));
    }
}

} // namespace vesselhost
