#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <string_view>

// Raises EInOutError with the runtime's code for the errno of a failed system call.
[[noreturn]] void RaiseInOutError(int err);

// What a file of fixed-size records holds: its whole records, and the bytes of a last record
// that was cut off.
struct TRecordCount
{
    std::int64_t Records = 0;
    std::int64_t CutBytes = 0;
};

// The memory a load may take: half of the physical memory.
std::int64_t LoadableMemory();

// "The end of <file> was cut: ..." for a file whose size is not a whole number of records;
// empty when it is (or when the file cannot be looked at).
QString CutEndNotice(const QString &fileName, std::size_t recordSize);

// The message for a file that could not be opened for loading: a folder has its own, anything
// else the runtime's text of the code.
QString OpenFailureMessage(const QString &fileName, int code);

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
    // Opens the file for loading records of recordSize bytes, each taking memoryPerRecord bytes
    // once loaded. Returns 0 or the runtime's code of a failed open, which a folder is (access
    // denied). Anything else that is not a regular file (the open never waits for a FIFO's
    // writer) and a file whose records would not fit in LoadableMemory() are refused at once:
    // EInOutError naming the file.
    int OpenRecords(const QString &fileName, std::size_t recordSize, std::size_t memoryPerRecord,
                    TRecordCount &count);
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
