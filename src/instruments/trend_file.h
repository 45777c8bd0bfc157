#pragma once

#include "instruments/trend_records.h"

#include <QString>

// The session file: a headerless sequence of 24-byte trend records, oldest first.

// Creates (or replaces) the file and writes every record. Returns 0, or the I/O code when the
// file cannot be created; a failed write or close raises EInOutError.
int WriteTrendFile(const QString &fileName, const TTrendRecords &records);

// Opens the file read-only and appends its whole records (a trailing partial record is
// ignored). Returns 0, or the I/O code when the file cannot be opened (a folder included).
// Raises EInOutError for a file refused before reading (not a regular file, too large for
// memory) and for a failed read, which keeps the records read before it: read into a list of
// your own.
int ReadTrendFile(const QString &fileName, TTrendRecords &records);
