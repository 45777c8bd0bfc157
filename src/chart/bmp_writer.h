#pragma once

#include <QImage>
#include <QString>

#include <string>

// A picture as a Windows BMP file: 24 bits per pixel, rows bottom-up, each padded to 4 bytes.
std::string EncodeBmp(const QImage &image);

// Writes the picture to the file; a file that cannot be created or written raises EInOutError.
void WriteBmpFile(const QString &fileName, const QImage &image);
