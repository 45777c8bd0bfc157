#include "chart/bmp_writer.h"

#include "platform/system_file.h"

#include <cstdint>

namespace {

void PutLE(std::string &out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
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
    std::string out;
    out.reserve(54 + pixelBytes);
    out += "BM";
    PutLE(out, 54 + pixelBytes, 4);
    PutLE(out, 0, 4);
    PutLE(out, 54, 4); // offset of the pixels
    PutLE(out, 40, 4); // BITMAPINFOHEADER
    PutLE(out, static_cast<std::uint32_t>(width), 4);
    PutLE(out, static_cast<std::uint32_t>(height), 4);
    PutLE(out, 1, 2); // planes
    PutLE(out, 24, 2);
    PutLE(out, 0, 4); // uncompressed
    PutLE(out, pixelBytes, 4);
    PutLE(out, 3780, 4); // 96 dpi in pixels per metre
    PutLE(out, 3780, 4);
    PutLE(out, 0, 4);
    PutLE(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < width; ++x) {
            out.push_back(static_cast<char>(qBlue(line[x])));
            out.push_back(static_cast<char>(qGreen(line[x])));
            out.push_back(static_cast<char>(qRed(line[x])));
        }
        out.append(rowBytes - static_cast<std::uint32_t>(width) * 3, '\0');
    }
    return out;
}

void WriteBmpFile(const QString &fileName, const QImage &image)
{
    TSystemFile file(fileName, TSystemFile::Mode::Create);
    file.Write(EncodeBmp(image));
    file.Close();
}
