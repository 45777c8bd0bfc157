#pragma once

#include "app/run/decode_packet.h"
#include "app/run/display_page.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

// Everything a run is started with, read from the window once and validated before anything
// changes. A plain value: the run keeps a copy and never asks the window again.
struct RunSettings
{
    // The device: a port name as the port list gives it, a path or a demo port.
    struct PortChoice
    {
        QString Name;
        int BaudRate = 0;
    };

    // What a line means. Text lines are the only format so far; a new one is a new value here
    // and a new file beside text_line_format.
    enum class PacketFormatKind { TextLines };

    struct Channel
    {
        QString Name; // as typed; ChannelName() gives the name shown
        bool Shown = true;
    };

    struct FastDisplay
    {
        bool TrendMode = false;
        std::uint32_t MaxSamples = 0;
        int UpdateIntervalMs = 0; // how often the chart paints; 0: never
        QString Caption;
        double XMax = 0.0;
        double YMin1 = 0.0;
        double YMax1 = 0.0;
        double YMin2 = 0.0;
        double YMax2 = 0.0;
    };

    struct SlowDisplay
    {
        bool PortMode = false; // channel 1's low byte on the eight LEDs, meter 1 at 0 .. 300
        bool Flow = false;
        bool ThickCh1 = false;
        bool ThickCh2 = false;
        std::int32_t MaxRecords = 0;
        int IntervalMs = 0; // 0 keeps the trend's interval
        std::array<int, 2> MeterChannels {1, 2};
    };

    PortChoice Port;
    TDisplayPage Page = TDisplayPage::dpFastDisplay;
    PacketFormatKind Format = PacketFormatKind::TextLines;
    DecodeSettings Decode; // channel count, separator, scale and offset per channel
    std::array<Channel, kMaxChannels> Channels {};
    FastDisplay Fast;
    SlowDisplay Slow;

    // The channels the run decodes.
    int ChannelCount() const { return ChannelsRead(Decode.ChannelCount); }
    // ChannelDisplayName of the channel's typed name.
    QString ChannelName(int channel) const;
    // The names of the run's channels, channel 1 first.
    QStringList ChannelNames() const;
};

// A channel's name as every display shows it: the typed name, or "CH<n>" when that is empty.
QString ChannelDisplayName(int channel, const QString &typed);
