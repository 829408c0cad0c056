#include "film/film_writer.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include "film/frames_on_disk.h"
#include "film/gif_encoder.h"
#include "film/map_chroma.h"
#include "looks/kind_colours.h"
#include "platform/system.h"

namespace {

// A keyframe every two seconds of film: a player seeks to within two
// seconds, and the file is the same every time.
constexpr int kSecondsBetweenKeyframes = 2;
// VP8 at constant quality, good enough that a square's colours survive.
constexpr int kVp8Quality = 8;
constexpr double kVp8MostBitsPerPixel = 0.3;
// How hard VP8 searches, from 0 (hardest) to 16: a live film's encoder
// shares the machine with the run it records.
constexpr int kVp8Speed = 4;
constexpr int kVp8LiveSpeed = 16;
// A board map's squares are as many as its pixels, and each must keep its
// kind's colour: bench/film_colours.sh found that 99 % of them do in each
// frame with VP8's finest quantiser allowed, at the best quality (98 % at
// quality 8, 97.5 % without the finest quantiser), and bits enough never
// to hold it back.
constexpr int kVp8MapQuality = 0;
constexpr int kVp8MapLeastQuantiser = 0;
constexpr double kVp8MapMostBitsPerPixel = 8.0;

std::string textOf(int error) {
    std::array<char, AV_ERROR_MAX_STRING_SIZE> text{};
    av_strerror(error, text.data(), text.size());
    return text.data();
}

// Every problem comes back as a value and is told once, by the caller:
// FFmpeg's own log is silenced, once for the process.
void silenceFfmpegLog() {
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

// The buffer through which FFmpeg hands the file its bytes.
constexpr int kOutputBufferBytes = 1 << 16;

// The file a film goes to, under FFmpeg's output: it writes the bytes as
// they come, seeks where the muxer goes back to finish its header, and
// counts the frames among the bytes that reach the file. After a failed
// write nothing more is written: FFmpeg stops there too. Its file is an
// OutputFile's, written beside the name until it is kept.
struct FilmFile {
    platform::OutputFile file;
    std::int64_t position = 0;
    // The file's end: bytes written below it are the muxer going back.
    std::int64_t end = 0;
    FramesOnDisk counted;
    int error = 0;

    explicit FilmFile(FilmKind kind) : counted(kind) {}

    static int write(void* opaque, std::uint8_t* bytes, int count) {
        auto& out = *static_cast<FilmFile*>(opaque);
        if (out.error != 0) {
            return AVERROR(out.error);
        }
        errno = 0;
        const auto written =
            static_cast<std::int64_t>(std::fwrite(bytes, 1, static_cast<std::size_t>(count), out.file.stream()));
        const std::int64_t reached = out.position + written;
        if (reached > out.end) {
            const std::int64_t fresh = reached - std::max(out.position, out.end);
            out.counted.add(bytes + (written - fresh), static_cast<std::size_t>(fresh));
            out.end = reached;
        }
        out.position = reached;
        if (written < count) {
            out.error = errno != 0 ? errno : EIO;
            return AVERROR(out.error);
        }
        return count;
    }

    static std::int64_t seek(void* opaque, std::int64_t offset, int whence) {
        auto& out = *static_cast<FilmFile*>(opaque);
        whence &= ~AVSEEK_FORCE;
        if (whence == AVSEEK_SIZE) {
            return out.end;
        }
        if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) {
            return AVERROR(EINVAL);
        }
        const std::int64_t from = whence == SEEK_CUR ? out.position : whence == SEEK_END ? out.end : 0;
        const std::int64_t to = from + offset;
        // 64 bits on both systems: a film may pass 2 GB.
        if (fseeko64(out.file.stream(), static_cast<off64_t>(to), SEEK_SET) != 0) {
            return AVERROR(errno != 0 ? errno : EIO);
        }
        out.position = to;
        return to;
    }
};

// A GIF of pictures has 255 colours and a transparent one: the board map's
// and the background exactly, a 6 x 6 x 6 cube for the pictures, and greys
// for the rest. A GIF of a board map alone has the map's colours and the
// background, and codes of 3 bits.
constexpr int kCubeLevels = 6;
constexpr int kQuantumBits = 5;
constexpr int kQuanta = 1 << kQuantumBits;

[[nodiscard]] int quantumOf(QRgb colour) {
    constexpr int drop = 8 - kQuantumBits;
    return (qRed(colour) >> drop) << (2 * kQuantumBits) | (qGreen(colour) >> drop) << kQuantumBits |
           (qBlue(colour) >> drop);
}

}  // namespace

struct FilmWriter::Parts {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    AVStream* stream = nullptr;
    AVFrame* frame = nullptr;
    // The picture's rows copied where swscale may read past their ends, as
    // its vector code does: a QImage ends where its last row does.
    AVFrame* rgb = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* scale = nullptr;
    // A board map's blocks of colours, chosen to keep each square's kind.
    std::unique_ptr<MapChroma> chroma;
    std::unique_ptr<FilmFile> out;
    std::filesystem::path file;
    bool headerWritten = false;
    // The GIF's encoder and palette, the nearest entry to each quantum of
    // colour, which exact colour of the palette's first ones shares the
    // quantum, and the frame's entries.
    std::unique_ptr<GifEncoder> gif;
    std::vector<QRgb> palette;
    std::vector<std::uint8_t> indices;
    std::vector<std::uint8_t> nearest;
    std::vector<int> exact;

    ~Parts() {
        sws_freeContext(scale);
        av_packet_free(&packet);
        av_frame_free(&frame);
        av_frame_free(&rgb);
        avcodec_free_context(&codec);
        if (format != nullptr && format->pb != nullptr) {
            av_freep(&format->pb->buffer);
            avio_context_free(&format->pb);
        }
        avformat_free_context(format);
    }

    // Opens the file with FFmpeg's output over it; the problem, if any.
    std::optional<std::string> openFile(const std::filesystem::path& name, FilmKind kind) {
        // A GIF is written by the program's own encoder, straight to the file.
        // A film is no stream: its muxer goes back to finish its header.
        out = std::make_unique<FilmFile>(kind);
        if (std::optional<std::string> refused =
                out->file.open(name, platform::Writing::whole, platform::Streams::no)) {
            return refused;
        }
        // Unbuffered, so that what a write says it wrote is in the file:
        // FFmpeg's own buffer gathers the bytes.
        std::setvbuf(out->file.stream(), nullptr, _IONBF, 0);
        file = name;
        if (format == nullptr) {
            return std::nullopt;
        }
        auto* buffer = static_cast<unsigned char*>(av_malloc(kOutputBufferBytes));
        if (buffer == nullptr) {
            return "out of memory";
        }
        format->pb = avio_alloc_context(buffer, kOutputBufferBytes, 1, out.get(), nullptr, &FilmFile::write,
                                        &FilmFile::seek);
        if (format->pb == nullptr) {
            av_free(buffer);
            return "out of memory";
        }
        return std::nullopt;
    }

    // Writes the GIF's bytes to the file; FFmpeg's error code, 0 when all
    // of them reached it.
    int write(const std::vector<std::uint8_t>& bytes) {
        const int written = FilmFile::write(out.get(), const_cast<std::uint8_t*>(bytes.data()), static_cast<int>(bytes.size()));
        return written < 0 ? written : 0;
    }

    // Keeps the film under its name, or abandons it when it holds no frame,
    // leaving what the name held as it was; the frames it holds.
    std::int64_t closeFile(std::optional<std::string>& failure) {
        if (out == nullptr || file.empty()) {
            return 0;
        }
        file.clear();
        const std::int64_t frames = out->counted.frames();
        if (frames == 0) {
            out->file.abandon();
            return 0;
        }
        // A cut film is kept with the frames that reached it: the write that
        // failed is told already, and must not count against the rest.
        std::clearerr(out->file.stream());
        if (std::optional<std::string> unkept = out->file.commit()) {
            if (!failure) {
                failure = std::move(unkept);
            }
            return 0;
        }
        return frames;
    }
    void makePalette(bool mapAlone) {
        palette.assign(kind_colours::kMapPalette.begin(), kind_colours::kMapPalette.end());
        const std::size_t exactCount = palette.size();
        if (!mapAlone) {
            for (int r = 0; r < kCubeLevels; ++r) {
                for (int g = 0; g < kCubeLevels; ++g) {
                    for (int b = 0; b < kCubeLevels; ++b) {
                        constexpr int step = 255 / (kCubeLevels - 1);
                        palette.push_back(qRgb(r * step, g * step, b * step));
                    }
                }
            }
            const std::size_t greys = GifEncoder::kMostColours - palette.size();
            for (std::size_t i = 0; i < greys; ++i) {
                const int level = static_cast<int>((i + 1) * 255 / (greys + 1));
                palette.push_back(qRgb(level, level, level));
            }
        }
        nearest.assign(kQuanta * kQuanta * kQuanta, 0);
        exact.assign(nearest.size(), -1);
        constexpr int half = 1 << (7 - kQuantumBits);
        for (int q = 0; q < static_cast<int>(nearest.size()); ++q) {
            const int r = ((q >> (2 * kQuantumBits)) << (8 - kQuantumBits)) + half;
            const int g = (((q >> kQuantumBits) & (kQuanta - 1)) << (8 - kQuantumBits)) + half;
            const int b = ((q & (kQuanta - 1)) << (8 - kQuantumBits)) + half;
            int best = 0;
            int bestDistance = 1 << 30;
            for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
                const int dr = qRed(palette[i]) - r;
                const int dg = qGreen(palette[i]) - g;
                const int db = qBlue(palette[i]) - b;
                const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (distance < bestDistance) {
                    best = i;
                    bestDistance = distance;
                }
            }
            nearest[static_cast<std::size_t>(q)] = static_cast<std::uint8_t>(best);
        }
        for (std::size_t i = 0; i < exactCount; ++i) {
            exact[static_cast<std::size_t>(quantumOf(palette[i]))] = static_cast<int>(i);
        }
    }

    [[nodiscard]] std::uint8_t indexOf(QRgb colour) const {
        const auto q = static_cast<std::size_t>(quantumOf(colour));
        const int same = exact[q];
        if (same >= 0 && palette[static_cast<std::size_t>(same)] == (colour | 0xFF000000u)) {
            return static_cast<std::uint8_t>(same);
        }
        return nearest[q];
    }
};

std::unique_ptr<FilmWriter> FilmWriter::open(const std::filesystem::path& file, FilmKind kind, FilmSize size, int rate,
                                             std::string& problem, Content content, bool live) {
    std::unique_ptr<FilmWriter> writer(new FilmWriter);
    writer->parts_ = std::make_unique<Parts>();
    writer->size_ = size;
    writer->kind_ = kind;
    Parts& parts = *writer->parts_;
    silenceFfmpegLog();
    const bool webm = kind == FilmKind::kWebM;
    const auto failed = [&problem](std::string text) {
        problem = std::move(text);
        return nullptr;
    };

    if (!webm) {
        parts.makePalette(content == Content::kBoardMap);
        parts.gif = std::make_unique<GifEncoder>(size, rate, parts.palette);
        parts.indices.resize(static_cast<std::size_t>(size.width) * static_cast<std::size_t>(size.height));
        if (std::optional<std::string> unopened = parts.openFile(file, kind)) {
            return failed(*std::move(unopened));
        }
        // The header reaches the file now, so that a disk too full for it
        // is told before the first frame.
        if (const int error = parts.write(parts.gif->start()); error < 0) {
            std::optional<std::string> ignored;
            (void)parts.closeFile(ignored);
            return failed(textOf(error));
        }
        parts.headerWritten = true;
        return writer;
    }
    if (avformat_alloc_output_context2(&parts.format, nullptr, "webm", nullptr) < 0) {
        return failed("this build of FFmpeg cannot write WebM");
    }
    const AVCodec* encoder = avcodec_find_encoder_by_name("libvpx");
    if (encoder == nullptr) {
        return failed("this build of FFmpeg has no VP8 encoder (libvpx)");
    }
    parts.codec = avcodec_alloc_context3(encoder);
    if (parts.codec == nullptr) {
        return failed("out of memory");
    }
    AVCodecContext& codec = *parts.codec;
    codec.width = size.width;
    codec.height = size.height;
    codec.time_base = AVRational{1, rate};
    codec.framerate = AVRational{rate, 1};
    codec.pix_fmt = AV_PIX_FMT_YUV420P;
    codec.thread_count = 1;
    codec.flags |= AV_CODEC_FLAG_BITEXACT;
    if ((parts.format->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
        codec.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    codec.gop_size = kSecondsBetweenKeyframes * rate;
    codec.keyint_min = codec.gop_size;
    const bool map = content != Content::kPictures;
    codec.bit_rate = static_cast<std::int64_t>((map ? kVp8MapMostBitsPerPixel : kVp8MostBitsPerPixel) *
                                               size.width * size.height * rate);
    if (map) {
        codec.qmin = kVp8MapLeastQuantiser;
    }
    codec.color_range = AVCOL_RANGE_MPEG;
    codec.colorspace = AVCOL_SPC_SMPTE170M;
    codec.color_primaries = AVCOL_PRI_SMPTE170M;
    codec.color_trc = AVCOL_TRC_SMPTE170M;
    // "good" rather than "realtime": a real-time encoder adapts to how
    // long frames take, and the file would follow the machine's load.
    if (av_opt_set(codec.priv_data, "deadline", "good", 0) < 0 ||
        av_opt_set_int(codec.priv_data, "cpu-used", live ? kVp8LiveSpeed : kVp8Speed, 0) < 0 ||
        av_opt_set_int(codec.priv_data, "crf", map ? kVp8MapQuality : kVp8Quality, 0) < 0 ||
        av_opt_set_int(codec.priv_data, "auto-alt-ref", 0, 0) < 0 ||
        av_opt_set_int(codec.priv_data, "lag-in-frames", 0, 0) < 0) {
        return failed("this build of FFmpeg's VP8 encoder lacks the settings films need");
    }
    if (const int error = avcodec_open2(parts.codec, encoder, nullptr); error < 0) {
        return failed("the encoder does not start: " + textOf(error));
    }
    parts.stream = avformat_new_stream(parts.format, nullptr);
    if (parts.stream == nullptr || avcodec_parameters_from_context(parts.stream->codecpar, parts.codec) < 0) {
        return failed("out of memory");
    }
    parts.stream->time_base = codec.time_base;
    parts.stream->avg_frame_rate = codec.framerate;
    parts.format->flags |= AVFMT_FLAG_BITEXACT;

    parts.frame = av_frame_alloc();
    parts.packet = av_packet_alloc();
    if (parts.frame == nullptr || parts.packet == nullptr) {
        return failed("out of memory");
    }
    parts.frame->format = codec.pix_fmt;
    parts.frame->width = size.width;
    parts.frame->height = size.height;
    if (av_frame_get_buffer(parts.frame, 0) < 0) {
        return failed("out of memory");
    }
    parts.scale = sws_getContext(size.width, size.height, AV_PIX_FMT_RGB24, size.width, size.height,
                                 AV_PIX_FMT_YUV420P, SWS_AREA | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr,
                                 nullptr);
    if (parts.scale == nullptr) {
        return failed("cannot convert the frames' colours");
    }
    parts.rgb = av_frame_alloc();
    if (parts.rgb == nullptr) {
        return failed("out of memory");
    }
    if (content != Content::kPictures) {
        parts.chroma = std::make_unique<MapChroma>(kind_colours::kMapPalette);
    }
    parts.rgb->format = AV_PIX_FMT_RGB24;
    parts.rgb->width = size.width;
    parts.rgb->height = size.height;
    if (av_frame_get_buffer(parts.rgb, 0) < 0) {
        return failed("out of memory");
    }

    if (std::optional<std::string> unopened = parts.openFile(file, kind)) {
        return failed(*std::move(unopened));
    }
    // The header reaches the file now, so that a disk too full for it is
    // told before the first frame. A file without it holds no frame and goes.
    int error = avformat_write_header(parts.format, nullptr);
    if (error >= 0) {
        parts.headerWritten = true;
        avio_flush(parts.format->pb);
        error = parts.format->pb->error;
    }
    if (error < 0) {
        std::optional<std::string> ignored;
        (void)parts.closeFile(ignored);
        return failed(textOf(error));
    }
    return writer;
}

FilmWriter::~FilmWriter() = default;

std::optional<std::string> FilmWriter::add(const QImage& picture) {
    if (failure_ || finished_) {
        return failure_;
    }
    Parts& parts = *parts_;
    const QImage frame = picture.format() == QImage::Format_RGB888 ? picture
                                                                    : picture.convertToFormat(QImage::Format_RGB888);
    if (frame.width() != size_.width || frame.height() != size_.height) {
        failure_ = "a frame of another size";
        return failure_;
    }
    if (kind_ == FilmKind::kGif) {
        std::uint8_t* to = parts.indices.data();
        for (int y = 0; y < size_.height; ++y) {
            const std::uint8_t* from = frame.constScanLine(y);
            for (int x = 0; x < size_.width; ++x, from += 3) {
                *to++ = parts.indexOf(qRgb(from[0], from[1], from[2]));
            }
        }
        if (const int error = parts.write(parts.gif->frame(parts.indices)); error < 0) {
            failure_ = textOf(error);
            return failure_;
        }
        ++frames_;
        return std::nullopt;
    }
    if (av_frame_make_writable(parts.frame) < 0) {
        failure_ = "out of memory";
        return failure_;
    }
    const auto rowBytes = static_cast<std::size_t>(size_.width) * 3;
    for (int y = 0; y < size_.height; ++y) {
        std::memcpy(parts.rgb->data[0] + static_cast<std::ptrdiff_t>(y) * parts.rgb->linesize[0],
                    frame.constScanLine(y), rowBytes);
    }
    if (sws_scale(parts.scale, parts.rgb->data, parts.rgb->linesize, 0, size_.height, parts.frame->data,
                  parts.frame->linesize) != size_.height) {
        failure_ = "cannot convert the frame's colours";
        return failure_;
    }
    if (parts.chroma != nullptr) {
        parts.chroma->apply(frame.constBits(), static_cast<int>(frame.bytesPerLine()), size_.width, size_.height,
                            parts.frame->data[0], parts.frame->linesize[0], parts.frame->data[1],
                            parts.frame->linesize[1], parts.frame->data[2], parts.frame->linesize[2]);
    }
    parts.frame->pts = frames_;
    if (const int error = avcodec_send_frame(parts.codec, parts.frame); error < 0) {
        failure_ = textOf(error);
        return failure_;
    }
    ++frames_;
    return send(false);
}

std::optional<std::string> FilmWriter::send(bool last) {
    Parts& parts = *parts_;
    for (;;) {
        const int received = avcodec_receive_packet(parts.codec, parts.packet);
        if (received == AVERROR(EAGAIN) || (last && received == AVERROR_EOF)) {
            return std::nullopt;
        }
        if (received < 0) {
            failure_ = textOf(received);
            return failure_;
        }
        av_packet_rescale_ts(parts.packet, parts.codec->time_base, parts.stream->time_base);
        parts.packet->stream_index = parts.stream->index;
        if (const int error = av_interleaved_write_frame(parts.format, parts.packet); error < 0) {
            failure_ = textOf(error);
            return failure_;
        }
    }
}

FilmEnd FilmWriter::finish() {
    if (finished_) {
        return end_;
    }
    finished_ = true;
    Parts& parts = *parts_;
    if (kind_ == FilmKind::kGif) {
        // The trailer is written whatever went before, as far as the disk
        // takes it.
        if (const int error = parts.write({GifEncoder::kTrailer}); error < 0 && !failure_) {
            failure_ = textOf(error);
        }
        end_.frames = parts.closeFile(failure_);
        end_.problem = failure_;
        return end_;
    }
    if (!failure_) {
        if (const int error = avcodec_send_frame(parts.codec, nullptr); error < 0) {
            failure_ = textOf(error);
        } else {
            (void)send(true);
        }
    }
    // The end is written whatever went before: a film cut short by anything
    // but the disk is finished whole up to its last frame, and one cut by
    // the disk gets as much of its end as the disk takes.
    if (parts.headerWritten) {
        if (const int written = av_write_trailer(parts.format); written < 0 && !failure_) {
            failure_ = textOf(written);
        }
        avio_flush(parts.format->pb);
        if (parts.format->pb->error < 0 && !failure_) {
            failure_ = textOf(parts.format->pb->error);
        }
    }
    end_.frames = parts.closeFile(failure_);
    end_.problem = failure_;
    return end_;
}
