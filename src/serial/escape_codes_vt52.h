#pragma once

#include "serial/escape_codes.h"

// VT52 sequences: ESC followed by one letter, "/Z", or "Y" with a row and a column byte.
class TEscapeCodesVT52 : public TEscapeCodes
{
public:
    std::string EncodeCode(TEscapeCode code, const TEscapeParams &params = {}) const override;

protected:
    TEscapeCode DecideSequence() override;
};
