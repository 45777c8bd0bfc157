#include "app/run/run_settings.h"

QString ChannelDisplayName(int channel, const QString &typed)
{
    return typed.trimmed().isEmpty() ? QStringLiteral("CH%1").arg(channel) : typed;
}

QString RunSettings::ChannelName(int channel) const
{
    return ChannelDisplayName(channel, Channels[size_t(channel - 1)].Name);
}

QStringList RunSettings::ChannelNames() const
{
    QStringList names;
    for (int channel = 1; channel <= ChannelCount(); ++channel)
        names << ChannelName(channel);
    return names;
}
