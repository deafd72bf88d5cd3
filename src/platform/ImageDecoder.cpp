#include "ImageDecoder.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// jpeglib.h needs FILE declared before it.
#include <jpeglib.h>

#include <jerror.h>

namespace {

#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr J_COLOR_SPACE kQtColorSpace = JCS_EXT_BGRX;
#else
constexpr J_COLOR_SPACE kQtColorSpace = JCS_EXT_XRGB;
#endif

constexpr int kRowsPerRead = 16;

enum class Reach { Whole, Corner };

std::string tooLarge(unsigned width, unsigned height) {
    return "It is too large to show (" + std::to_string(width) + " x " + std::to_string(height) + " pixels).";
}

// A regular file opened for reading. Opened without waiting, so a FIFO or a device is turned away
// before a read could block.
class RegularFile {
public:
    explicit RegularFile(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) {
        struct stat info {};
        if (m_fd >= 0 && (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode))) {
            ::close(m_fd);
            m_fd = -1;
        }
        m_bytes = info.st_size;
    }
    ~RegularFile() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    RegularFile(const RegularFile&) = delete;
    RegularFile& operator=(const RegularFile&) = delete;

    bool isOpen() const { return m_fd >= 0; }
    bool isEmpty() const { return m_bytes == 0; }
    bool startsAsJpeg() const {
        unsigned char magic[2] = {};
        return ::pread(m_fd, magic, 2, 0) == 2 && magic[0] == 0xFF && magic[1] == 0xD8;
    }
    // The descriptor passes to the caller.
    int release() { return std::exchange(m_fd, -1); }
    std::FILE* stream() {
        std::FILE* file = ::fdopen(m_fd, "rb");
        if (file != nullptr) {
            m_fd = -1;
            static_cast<void>(std::setvbuf(file, nullptr, _IOFBF, 1 << 16));
        }
        return file;
    }

private:
    int m_fd = -1;
    off_t m_bytes = 0;
};

// One JPEG read through the library. Each step catches the library's errors itself, and only the
// library's own frames lie between a step and the error it catches, so no destructor is skipped.
class JpegSource {
public:
    explicit JpegSource(std::FILE* file) : m_file(file) {
        m_info.err = jpeg_std_error(&m_errors.manager);
        m_errors.manager.error_exit = &fail;
        m_errors.manager.emit_message = &warn;
    }
    ~JpegSource() {
        jpeg_destroy_decompress(&m_info);
        if (m_file != nullptr)
            std::fclose(m_file);
    }
    JpegSource(const JpegSource&) = delete;
    JpegSource& operator=(const JpegSource&) = delete;

    bool readHeader() {
        if (m_file == nullptr || setjmp(m_errors.jump) != 0)
            return false;
        jpeg_create_decompress(&m_info);
        jpeg_stdio_src(&m_info, m_file);
        return jpeg_read_header(&m_info, TRUE) == JPEG_HEADER_OK;
    }

    // Decodes at eighths / 8 of the picture's own size.
    bool scaleTo(int eighths) {
        if (setjmp(m_errors.jump) != 0)
            return false;
        m_info.scale_num = static_cast<unsigned>(eighths);
        m_info.scale_denom = 8;
        m_cmyk = m_info.jpeg_color_space == JCS_CMYK || m_info.jpeg_color_space == JCS_YCCK;
        m_info.out_color_space = m_cmyk ? JCS_CMYK : kQtColorSpace;
        // Entropy decoding bounds what is left: no option shortens it. The fast transform and fast
        // upsampling of the colour planes trim a tenth more, and the smoothing after hides their edges.
        m_info.dct_method = JDCT_IFAST;
        m_info.do_fancy_upsampling = FALSE;
        jpeg_calc_output_dimensions(&m_info);
        return true;
    }

    // The fewest eighths that still cover the target, so the smoothing that follows only shrinks.
    bool scaleToCover(const QSize& target) {
        if (!target.isEmpty())
            for (int eighths = 1; eighths < 8; ++eighths) {
                if (!scaleTo(eighths))
                    return false;
                if (width() >= target.width() && height() >= target.height())
                    return true;
            }
        return scaleTo(8);
    }

    // Why decoding this many pixels at the chosen scale must not start; empty when it may.
    std::string boundProblem(std::int64_t decodedPixels) const {
        if (decodedPixels > kMaxDecodedPixels || coefficientBytes() > kMaxCoefficientBytes)
            return tooLarge(m_info.image_width, m_info.image_height);
        return {};
    }

    bool start() {
        if (setjmp(m_errors.jump) != 0)
            return false;
        return jpeg_start_decompress(&m_info) == TRUE;
    }

    // Decodes only the columns from the left edge to width (rounded up to whole blocks).
    bool cropTo(int width) {
        if (setjmp(m_errors.jump) != 0)
            return false;
        JDIMENSION left = 0;
        auto kept = static_cast<JDIMENSION>(width);
        jpeg_crop_scanline(&m_info, &left, &kept);
        return true;
    }

    // Reads the picture's next count rows into the rows of image from at on; image is width() wide.
    bool readRows(QImage& image, int at, int count) {
        std::vector<JSAMPLE> cmykRow(m_cmyk ? static_cast<std::size_t>(m_info.output_width) * 4 : 0);
        if (setjmp(m_errors.jump) != 0)
            return false;
        JSAMPROW pointers[kRowsPerRead];
        for (int done = 0; done < count;) {
            if (m_cmyk) {
                pointers[0] = cmykRow.data();
                if (jpeg_read_scanlines(&m_info, pointers, 1) != 1)
                    return false;
                invertedCmykToRgb(cmykRow.data(), reinterpret_cast<QRgb*>(image.scanLine(at + done)));
                ++done;
                continue;
            }
            const int wanted = std::min(kRowsPerRead, count - done);
            for (int i = 0; i < wanted; ++i)
                pointers[i] = image.scanLine(at + done + i);
            const auto read =
                static_cast<int>(jpeg_read_scanlines(&m_info, pointers, static_cast<JDIMENSION>(wanted)));
            if (read == 0)
                return false;
            done += read;
        }
        return true;
    }
    bool readRows(QImage& image) { return readRows(image, 0, image.height()); }

    int width() const { return static_cast<int>(m_info.output_width); }
    int height() const { return static_cast<int>(m_info.output_height); }
    int imageWidth() const { return static_cast<int>(m_info.image_width); }
    int imageHeight() const { return static_cast<int>(m_info.image_height); }
    const char* error() const { return m_errors.message; }

private:
    struct Errors {
        jpeg_error_mgr manager; // first, so the library's pointer to it is a pointer to all of this
        std::jmp_buf jump;
        char message[JMSG_LENGTH_MAX] = "";
    };

    [[noreturn]] static void fail(j_common_ptr info) {
        auto* errors = reinterpret_cast<Errors*>(info->err);
        (*info->err->format_message)(info, errors->message);
        std::longjmp(errors->jump, 1);
    }
    // Other warnings (stray bytes, a damaged block) leave a picture worth showing; a file that ends
    // early would be decoded on to its full size as grey, so it stops at once.
    static void warn(j_common_ptr info, int level) {
        if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
            fail(info);
    }

    // A picture of several scans is held whole, as coefficients, until its last scan arrives.
    std::size_t coefficientBytes() const {
        if (!m_info.progressive_mode && m_info.comps_in_scan >= m_info.num_components)
            return 0;
        std::size_t bytes = 0;
        for (int c = 0; c < m_info.num_components; ++c) {
            const jpeg_component_info& component = m_info.comp_info[c];
            const auto roundUp = [](std::size_t blocks, int factor) {
                const auto f = static_cast<std::size_t>(std::max(factor, 1));
                return (blocks + f - 1) / f * f;
            };
            bytes += roundUp(component.width_in_blocks, component.h_samp_factor) *
                     roundUp(component.height_in_blocks, component.v_samp_factor) * sizeof(JBLOCK);
        }
        return bytes;
    }

    // Adobe's CMYK JPEGs store their inks inverted, as Qt's own reader assumes too.
    void invertedCmykToRgb(const JSAMPLE* in, QRgb* out) const {
        for (JDIMENSION x = 0; x < m_info.output_width; ++x, in += 4) {
            const int k = in[3];
            out[x] = qRgb(in[0] * k / 255, in[1] * k / 255, in[2] * k / 255);
        }
    }

    jpeg_decompress_struct m_info{};
    Errors m_errors{};
    std::FILE* m_file = nullptr;
    bool m_cmyk = false;
};

// Bilinear filtering: within a factor of two it looks as good as area averaging at a fraction of the
// cost. In bands of a few lines: Qt hands a stretch over many lines to a pool of threads, and waking
// them costs more than the work.
constexpr int kBandLines = 16;

bool withinBilinearReach(const QSize& from, const QSize& to) {
    return from.width() <= 2 * to.width() && from.height() <= 2 * to.height();
}

// Decodes a started picture and stretches it to size band by band, so only the rows one band of the
// result draws from are held at the decoded size, never the whole picture. Each band is drawn from
// its rows placed where they lie in the whole picture, with two more on either side than its
// filtering reads, so the result is the stretch of the whole picture.
QImage decodeStretched(JpegSource& jpeg, const QSize& size) {
    const int width = jpeg.width();
    const int height = jpeg.height();
    const double rowsPerLine = double(height) / size.height();
    constexpr int kMargin = 2;
    // The source rows the output lines first to last (inclusive) draw from, with their margin.
    const auto firstRowFor = [&](int line) {
        return std::max(0, int(std::floor((line + 0.5) * rowsPerLine - 0.5)) - kMargin);
    };
    const auto lastRowFor = [&](int line) {
        return std::min(height - 1, int(std::floor((line + 0.5) * rowsPerLine - 0.5)) + 1 + kMargin);
    };
    QImage rows(width, int(std::ceil(kBandLines * rowsPerLine)) + 2 * kMargin + 4, QImage::Format_RGB32);
    QImage scaled(size, QImage::Format_RGB32);
    if (rows.isNull() || scaled.isNull())
        return {};
    const auto bytesPerLine = static_cast<std::size_t>(rows.bytesPerLine());
    int heldFirst = 0; // the picture's row in the first row of rows
    int held = 0;      // rows held
    QPainter painter(&scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int top = 0; top < size.height(); top += kBandLines) {
        const int bottom = std::min(top + kBandLines, size.height()) - 1;
        const int first = firstRowFor(top);
        const int last = lastRowFor(bottom);
        // Rows above this band's are let go; those below are read on.
        if (first > heldFirst) {
            const int dropped = std::min(first - heldFirst, held);
            std::memmove(rows.bits(), rows.constScanLine(dropped),
                         bytesPerLine * std::size_t(held - dropped));
            held -= dropped;
            heldFirst += dropped;
        }
        const int missing = last - (heldFirst + held - 1);
        if (heldFirst + held < first || held + missing > rows.height() ||
            (missing > 0 && !jpeg.readRows(rows, held, missing)))
            return {};
        held += std::max(missing, 0);
        const QImage band(rows.constScanLine(first - heldFirst), width, last - first + 1, rows.bytesPerLine(),
                          QImage::Format_RGB32);
        painter.setClipRect(QRect(0, top, size.width(), bottom - top + 1));
        painter.drawImage(QRectF(0, first / rowsPerLine, size.width(), band.height() / rowsPerLine), band);
    }
    return scaled;
}

QImage decodeJpeg(RegularFile& file, const QSize& size, Reach reach) {
    JpegSource jpeg(file.stream());
    if (!jpeg.readHeader())
        return {};
    if (reach == Reach::Corner ? !jpeg.scaleTo(8) : !jpeg.scaleToCover(size))
        return {};
    const int width = reach == Reach::Corner ? std::min(jpeg.width(), size.width()) : jpeg.width();
    const int rows = reach == Reach::Corner ? std::min(jpeg.height(), size.height()) : jpeg.height();
    if (!jpeg.boundProblem(std::int64_t{width} * rows).empty() || !jpeg.start())
        return {};
    if (width < jpeg.width() && !jpeg.cropTo(width))
        return {};
    if (reach == Reach::Whole && !size.isEmpty() && QSize(width, rows) != size &&
        withinBilinearReach({width, rows}, size))
        return decodeStretched(jpeg, size);
    // Qt's own 32-bit layout, so painting the result needs no conversion.
    QImage image(jpeg.width(), rows, QImage::Format_RGB32);
    if (image.isNull() || !jpeg.readRows(image))
        return {};
    return width < image.width() ? image.copy(0, 0, width, rows) : image;
}

QImage decodeWithQt(RegularFile& file, const QSize& size, Reach reach) {
    const int fd = file.release();
    QFile device;
    if (!device.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    QImageReader reader(&device);
    const QSize own = reader.size();
    if (!own.isValid() || std::int64_t{own.width()} * own.height() > kMaxDecodedPixels)
        return {};
    if (reach == Reach::Corner)
        reader.setClipRect(QRect(QPoint(0, 0), own.boundedTo(size)));
    return reader.read();
}

QImage stretched(const QImage& image, const QSize& size) {
    // Still far larger (a picture past the library's smallest scale): area averaging, since bilinear
    // filtering would skip most of its pixels.
    if (!withinBilinearReach(image.size(), size))
        return image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QImage scaled(size, QImage::Format_RGB32);
    QPainter painter(&scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int top = 0; top < size.height(); top += kBandLines) {
        painter.setClipRect(QRect(0, top, size.width(), kBandLines));
        painter.drawImage(scaled.rect(), image);
    }
    return scaled;
}

QImage decode(const std::string& path, const QSize& size, Reach reach) {
    RegularFile file(path);
    if (!file.isOpen())
        return {};
    return file.startsAsJpeg() ? decodeJpeg(file, size, reach) : decodeWithQt(file, size, reach);
}

} // namespace

PictureHeader readJpegHeader(const std::string& path) {
    RegularFile file(path);
    if (!file.isOpen())
        return {0, 0, "It cannot be opened for reading."};
    if (file.isEmpty())
        return {0, 0, "It is empty."};
    if (!file.startsAsJpeg())
        return {0, 0, "It is not a JPEG picture."};
    JpegSource jpeg(file.stream());
    // The smallest size it could be shown at decides whether it can be shown at all.
    if (!jpeg.readHeader() || !jpeg.scaleTo(1))
        return {0, 0, std::string("Its JPEG header is damaged (") + jpeg.error() + ")."};
    return {jpeg.imageWidth(), jpeg.imageHeight(),
            jpeg.boundProblem(std::int64_t{jpeg.width()} * jpeg.height())};
}

QImage decodePicture(const std::string& path, const QSize& size) {
    const QImage image = decode(path, size, Reach::Whole);
    if (image.isNull() || size.isEmpty() || image.size() == size)
        return image;
    return stretched(image, size);
}

QImage decodePictureCorner(const std::string& path, const QSize& box) {
    if (box.isEmpty())
        return decodePicture(path, {});
    return decode(path, box, Reach::Corner);
}
