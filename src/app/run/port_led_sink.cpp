#include "app/run/port_led_sink.h"

#include "instruments/led.h"

PortLedSink::PortLedSink(const std::array<TAbLED *, 8> &leds)
    : m_leds(leds)
{ }

void PortLedSink::Take(const SampleBlockView &block)
{
    for (std::size_t sample = 0, count = block.SampleCount(); sample < count; ++sample)
        Show(block.Value(sample, 1));
}

void PortLedSink::Show(float value1)
{
    if (!(value1 > -1.0f && value1 < 256.0f)) // a NaN fails too
        return;
    const std::string bits = ByteToBits(static_cast<std::uint8_t>(static_cast<int>(value1)));
    for (size_t k = 1; k <= m_leds.size(); ++k) {
        if (TAbLED *led = m_leds[k - 1])
            led->SetChecked(bits[8 - k] == '1');
    }
}

std::string ByteToBits(std::uint8_t value)
{
    std::string bits(8, '0');
    for (int bit = 0; bit < 8; ++bit) {
        if (value & (1u << bit))
            bits[static_cast<size_t>(7 - bit)] = '1';
    }
    return bits;
}
