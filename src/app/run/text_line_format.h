#pragma once

#include "app/run/packet_format.h"

#include <string>

// Text lines: the framer cuts a packet from each line feed to the next carriage return, and
// DecodePacket reads it (numbers split by the separator, or the clear command). A packet that
// arrives outside a device read (nothing else is delivered with it) ends its block at once.
class TextLineFormat : public PacketFormat
{
public:
    // Takes the framer's OnPacket and OnBlockDelivered until destroyed.
    TextLineFormat(TComDataPacket &framer, const DecodeSettings &settings,
                   SampleReceiver &receiver);
    ~TextLineFormat() override;
    TextLineFormat(const TextLineFormat &) = delete;
    TextLineFormat &operator=(const TextLineFormat &) = delete;

    void Attach(TCustomComPort &port) override;
    void Detach() override;

    // The framer's OnPacket.
    void ComDataPacket1Packet(TComDataPacket *sender, const std::string &packet);

private:
    TComDataPacket &m_framer;
    DecodeSettings m_settings;
    SampleReceiver &m_receiver;
};
