#pragma once

#include <QChar>

// The terminal's 8-bit code page (Windows-1252): bytes 0x80-0x9F carry typographic characters,
// the rest match Latin-1. Five bytes of that range are undefined and show as U+FFFD.
QChar AnsiByteToChar(unsigned char byte);
// The byte for a character, or -1 when the code page has none.
int CharToAnsiByte(QChar ch);
