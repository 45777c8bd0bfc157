#include "app/run/text_line_format.h"

#include "serial/com_port.h"
#include "serial/data_packet.h"

TextLineFormat::TextLineFormat(TComDataPacket &framer, const DecodeSettings &settings,
                               SampleReceiver &receiver)
    : m_framer(framer)
    , m_settings(settings)
    , m_receiver(receiver)
{
    m_framer.SetStartString("\n");
    m_framer.SetStopString("\r");
    m_framer.OnPacket = [this](TComDataPacket *sender, const std::string &packet) {
        ComDataPacket1Packet(sender, packet);
    };
    m_framer.OnBlockDelivered = [this](TComDataPacket *) { m_receiver.BlockEnd(); };
}

TextLineFormat::~TextLineFormat()
{
    m_framer.OnPacket = nullptr;
    m_framer.OnBlockDelivered = nullptr;
}

void TextLineFormat::Attach(TCustomComPort &port)
{
    m_framer.ResetBuffer();
    m_framer.SetComPort(&port);
}

void TextLineFormat::Detach()
{
    m_framer.SetComPort(nullptr);
}

void TextLineFormat::ComDataPacket1Packet(TComDataPacket *, const std::string &packet)
{
    m_receiver.TakeSample(DecodePacket(packet, m_settings));
    if (!m_framer.Delivering())
        m_receiver.BlockEnd();
}
