#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>

// A file of the chart's exports, opened for reading or created for writing. Every failure
// raises EInOutError with the runtime code of the OS error; the destructor closes quietly, so
// the descriptor is released on every path.
class TChartFile
{
public:
    enum class Mode { Read, Create };

    TChartFile(const QString &fileName, Mode mode);
    ~TChartFile();
    TChartFile(const TChartFile &) = delete;
    TChartFile &operator=(const TChartFile &) = delete;

    std::int64_t Size() const;
    // Reads until size bytes arrived or the file ends; returns the number read.
    std::size_t Read(char *buffer, std::size_t size);
    void Write(std::string_view bytes);
    void Close();

private:
    [[noreturn]] static void Fail(int err);

    int m_fd = -1;
};
