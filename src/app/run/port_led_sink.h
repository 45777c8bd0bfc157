#pragma once

#include "app/run/sample_sink.h"

#include <array>
#include <cstdint>
#include <string>

class TAbLED;

// The "Port" mode's eight LEDs: the low byte of channel 1's value, bit 0 on the first LED.
// A run in Port mode takes this sink; values outside 0 .. 255 leave the LEDs as they are.
class PortLedSink : public SampleSink
{
public:
    explicit PortLedSink(const std::array<TAbLED *, 8> &leds);

    void Take(const SampleBlockView &block) override;
    void Show(float value1);

private:
    std::array<TAbLED *, 8> m_leds;
};

// Eight '0' / '1' characters, most significant bit first.
std::string ByteToBits(std::uint8_t value);
