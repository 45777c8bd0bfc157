#pragma once

#include "app/run/decode_packet.h"

#include <memory>

class TComDataPacket;
class TCustomComPort;
struct RunSettings;

// Where a packet format hands what it decodes: every sample in the order it arrived, and the end
// of each device read. Implemented by the run's PacketDecoder.
class SampleReceiver
{
public:
    virtual void TakeSample(const Sample &sample) = 0;
    virtual void BlockEnd() = 0;

protected:
    ~SampleReceiver() = default;
};

// What the bytes of a run mean: framing plus decoding, chosen once at Start. A format follows
// the port it is attached to and hands each decoded sample to its receiver. A new format is a
// new file implementing this, one value of RunSettings::PacketFormatKind and one line in
// MakePacketFormat. User-interface thread.
class PacketFormat
{
public:
    virtual ~PacketFormat() = default;

    // From now on the port's received bytes are decoded; nothing from before joins a packet.
    virtual void Attach(TCustomComPort &port) = 0;
    // The port's bytes are no longer read (a run that ended, a device that went away).
    virtual void Detach() = 0;
};

// The format the settings choose, decoding into receiver. Text lines are framed by framer,
// the window's ComDataPacket1.
std::unique_ptr<PacketFormat> MakePacketFormat(const RunSettings &settings, TComDataPacket &framer,
                                               SampleReceiver &receiver);
