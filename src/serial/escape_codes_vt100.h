#pragma once

#include "serial/escape_codes.h"

// VT100 / ANSI sequences: ESC followed by one or two bytes, or a control sequence
// ESC "[" parameters final-letter.
class TEscapeCodesVT100 : public TEscapeCodes
{
public:
    std::string EncodeCode(TEscapeCode code, const TEscapeParams &params = {}) const override;

    bool InCsi() const { return m_inCsi; }

protected:
    TEscapeCode DecideSequence() override;
    void EndSequence() override { m_inCsi = false; }

private:
    TEscapeCode DecideControlSequence();

    bool m_inCsi = false;
};
