#include "chart/bmp_writer.h"

#include "platform/system_file.h"

#include <cstdint>

namespace {

void PutLE(char *out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

} // namespace

std::string EncodeBmp(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int width = image.width();
    const int height = image.height();
    const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t pixelBytes = rowBytes * static_cast<std::uint32_t>(height);
    // Written in place. What is not written stays 0: the reserved word, the compression (none),
    // the palette counts and the rows' padding.
    std::string out(54 + pixelBytes, '\0');
    char *header = out.data();
    header[0] = 'B';
    header[1] = 'M';
    PutLE(header + 2, 54 + pixelBytes, 4);
    PutLE(header + 10, 54, 4); // offset of the pixels
    PutLE(header + 14, 40, 4); // BITMAPINFOHEADER
    PutLE(header + 18, static_cast<std::uint32_t>(width), 4);
    PutLE(header + 22, static_cast<std::uint32_t>(height), 4);
    PutLE(header + 26, 1, 2); // planes
    PutLE(header + 28, 24, 2);
    PutLE(header + 34, pixelBytes, 4);
    PutLE(header + 38, 3780, 4); // 96 dpi in pixels per metre
    PutLE(header + 42, 3780, 4);
    char *row = header + 54;
    for (int y = height - 1; y >= 0; --y, row += rowBytes) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        char *pixel = row;
        for (int x = 0; x < width; ++x, pixel += 3) {
            pixel[0] = static_cast<char>(qBlue(line[x]));
            pixel[1] = static_cast<char>(qGreen(line[x]));
            pixel[2] = static_cast<char>(qRed(line[x]));
        }
    }
    return out;
}

void WriteBmpFile(const QString &fileName, const QImage &image)
{
    TSystemFile file(fileName, TSystemFile::Mode::Create);
    file.Write(EncodeBmp(image));
    file.Close();
}
