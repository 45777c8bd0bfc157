#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>

// Raises EInOutError with the runtime's code for the errno of a failed system call.
[[noreturn]] void RaiseInOutError(int err);

// A file read or written through the system calls, for the program's own file formats. Every
// failed call raises EInOutError with the runtime's code of its errno; the destructor closes
// quietly, so the descriptor is released on every path. Not copyable; one thread at a time.
class TSystemFile
{
public:
    enum class Mode { Read, Create };

    TSystemFile() = default;
    // Opens the file or raises.
    TSystemFile(const QString &fileName, Mode mode);
    ~TSystemFile();
    TSystemFile(const TSystemFile &) = delete;
    TSystemFile &operator=(const TSystemFile &) = delete;

    // Opens the file; returns 0 or the runtime's code of the failure instead of raising.
    int Open(const QString &fileName, Mode mode);
    std::int64_t Size() const;
    bool IsDirectory() const;
    // Reads until size bytes arrived or the file ends; returns the number read.
    std::size_t Read(char *buffer, std::size_t size);
    // Reads exactly size bytes; a file that ends early raises the runtime's end-of-file code.
    void ReadExactly(char *buffer, std::size_t size);
    // Writes every byte; a device that takes none raises the runtime's disk-full code.
    void Write(std::string_view bytes);
    void Close();

private:
    int m_fd = -1;
};
