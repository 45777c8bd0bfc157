#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Shared set-up of the fuzz targets: LLVMFuzzerInitialize (in fuzz_support.cpp) starts an
// offscreen application at 96 DPI unless the caller already made one (the replay runner does)
// and silences message boxes.

// Offscreen platform at 96 DPI, so drawing is the same on every machine; before the
// application is created.
void PrepareOffscreenEnvironment();

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

// Writes the bytes to a file in a directory private to this process and returns its path;
// every call reuses the same file name for the given suffix.
QString WriteFuzzFile(const char *data, std::size_t size, const char *suffix);
