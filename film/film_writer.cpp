#include "film/film_writer.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include "film/board_painter.h"
#include "platform/system.h"

namespace {

// A keyframe every two seconds of film: a player seeks to within two
// seconds, and the file is the same every time.
constexpr int kSecondsBetweenKeyframes = 2;
// VP8 at constant quality, good enough that a square's colours survive.
constexpr int kVp8Quality = 8;
constexpr double kVp8MostBitsPerPixel = 0.3;

std::string textOf(int error) {
    std::array<char, AV_ERROR_MAX_STRING_SIZE> text{};
    av_strerror(error, text.data(), text.size());
    return text.data();
}

// A GIF has 256 colours: the board map's and the background exactly, a
// 6 x 6 x 6 cube for the pictures, and greys for the rest.
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
    bool fileOpen = false;
    // The GIF's palette, the nearest entry to each quantum of colour, and
    // which exact colour of the palette's first ones shares the quantum.
    std::array<QRgb, 256> palette{};
    std::vector<std::uint8_t> nearest;
    std::vector<int> exact;

    ~Parts() {
        sws_freeContext(scale);
        av_packet_free(&packet);
        av_frame_free(&frame);
        av_frame_free(&rgb);
        avcodec_free_context(&codec);
        if (format != nullptr && fileOpen) {
            avio_closep(&format->pb);
        }
        avformat_free_context(format);
    }

    void makePalette() {
        std::size_t next = 0;
        palette[next++] = BoardPainter::kBackground;
        for (const QRgb colour : BoardPainter::kMapColours) {
            palette[next++] = colour;
        }
        const std::size_t exactCount = next;
        for (int r = 0; r < kCubeLevels; ++r) {
            for (int g = 0; g < kCubeLevels; ++g) {
                for (int b = 0; b < kCubeLevels; ++b) {
                    constexpr int step = 255 / (kCubeLevels - 1);
                    palette[next++] = qRgb(r * step, g * step, b * step);
                }
            }
        }
        const std::size_t greys = palette.size() - next;
        for (std::size_t i = 0; i < greys; ++i) {
            const int level = static_cast<int>((i + 1) * 255 / (greys + 1));
            palette[next++] = qRgb(level, level, level);
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
                                             std::string& problem) {
    std::unique_ptr<FilmWriter> writer(new FilmWriter);
    writer->parts_ = std::make_unique<Parts>();
    writer->size_ = size;
    writer->kind_ = kind;
    Parts& parts = *writer->parts_;
    // Every problem comes back as a value and is told once, by the caller.
    av_log_set_level(AV_LOG_QUIET);
    const bool webm = kind == FilmKind::kWebM;
    const auto failed = [&problem](std::string text) {
        problem = std::move(text);
        return nullptr;
    };

    if (avformat_alloc_output_context2(&parts.format, nullptr, webm ? "webm" : "gif", nullptr) < 0) {
        return failed(webm ? "this build of FFmpeg cannot write WebM" : "this build of FFmpeg cannot write GIF");
    }
    const AVCodec* encoder = avcodec_find_encoder_by_name(webm ? "libvpx" : "gif");
    if (encoder == nullptr) {
        return failed(webm ? "this build of FFmpeg has no VP8 encoder (libvpx)" : "this build of FFmpeg has no GIF encoder");
    }
    parts.codec = avcodec_alloc_context3(encoder);
    AVCodecContext& codec = *parts.codec;
    codec.width = size.width;
    codec.height = size.height;
    codec.time_base = AVRational{1, rate};
    codec.framerate = AVRational{rate, 1};
    codec.pix_fmt = webm ? AV_PIX_FMT_YUV420P : AV_PIX_FMT_PAL8;
    codec.thread_count = 1;
    codec.flags |= AV_CODEC_FLAG_BITEXACT;
    if ((parts.format->oformat->flags & AVFMT_GLOBALHEADER) != 0) {
        codec.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    if (webm) {
        codec.gop_size = kSecondsBetweenKeyframes * rate;
        codec.keyint_min = codec.gop_size;
        codec.bit_rate = static_cast<std::int64_t>(kVp8MostBitsPerPixel * size.width * size.height * rate);
        codec.color_range = AVCOL_RANGE_MPEG;
        codec.colorspace = AVCOL_SPC_SMPTE170M;
        codec.color_primaries = AVCOL_PRI_SMPTE170M;
        codec.color_trc = AVCOL_TRC_SMPTE170M;
        // "good" rather than "realtime": a real-time encoder adapts to how
        // long frames take, and the file would follow the machine's load.
        av_opt_set(codec.priv_data, "deadline", "good", 0);
        av_opt_set_int(codec.priv_data, "cpu-used", 4, 0);
        av_opt_set_int(codec.priv_data, "crf", kVp8Quality, 0);
        av_opt_set_int(codec.priv_data, "auto-alt-ref", 0, 0);
        av_opt_set_int(codec.priv_data, "lag-in-frames", 0, 0);
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
    if (webm) {
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
        parts.rgb->format = AV_PIX_FMT_RGB24;
        parts.rgb->width = size.width;
        parts.rgb->height = size.height;
        if (av_frame_get_buffer(parts.rgb, 0) < 0) {
            return failed("out of memory");
        }
    } else {
        parts.makePalette();
    }

    // FFmpeg takes file names in UTF-8 on every system.
    if (const int error = avio_open(&parts.format->pb, platform::utf8Name(file).c_str(), AVIO_FLAG_WRITE);
        error < 0) {
        return failed(textOf(error));
    }
    parts.fileOpen = true;
    if (const int error = avformat_write_header(parts.format, nullptr); error < 0) {
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
    if (av_frame_make_writable(parts.frame) < 0) {
        failure_ = "out of memory";
        return failure_;
    }
    if (kind_ == FilmKind::kWebM) {
        const auto rowBytes = static_cast<std::size_t>(size_.width) * 3;
        for (int y = 0; y < size_.height; ++y) {
            std::memcpy(parts.rgb->data[0] + static_cast<std::ptrdiff_t>(y) * parts.rgb->linesize[0],
                        frame.constScanLine(y), rowBytes);
        }
        sws_scale(parts.scale, parts.rgb->data, parts.rgb->linesize, 0, size_.height, parts.frame->data,
                  parts.frame->linesize);
    } else {
        auto* palette = reinterpret_cast<std::uint32_t*>(parts.frame->data[1]);
        for (std::size_t i = 0; i < parts.palette.size(); ++i) {
            palette[i] = parts.palette[i];
        }
        for (int y = 0; y < size_.height; ++y) {
            const std::uint8_t* from = frame.constScanLine(y);
            std::uint8_t* to = parts.frame->data[0] + static_cast<std::ptrdiff_t>(y) * parts.frame->linesize[0];
            for (int x = 0; x < size_.width; ++x, from += 3) {
                to[x] = parts.indexOf(qRgb(from[0], from[1], from[2]));
            }
        }
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

std::optional<std::string> FilmWriter::finish() {
    if (finished_) {
        return failure_;
    }
    finished_ = true;
    Parts& parts = *parts_;
    if (!failure_) {
        if (const int error = avcodec_send_frame(parts.codec, nullptr); error < 0) {
            failure_ = textOf(error);
        } else if (!send(true)) {
            if (const int written = av_write_trailer(parts.format); written < 0) {
                failure_ = textOf(written);
            }
        }
    }
    parts.fileOpen = false;
    if (const int closed = avio_closep(&parts.format->pb); closed < 0 && !failure_) {
        failure_ = textOf(closed);
    }
    return failure_;
}
