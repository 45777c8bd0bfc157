#include "app/run/run_recording.h"

#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

namespace {

QString Duration(std::chrono::microseconds duration)
{
    const qint64 seconds = std::chrono::duration_cast<std::chrono::seconds>(duration).count();
    return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

} // namespace

RunRecording::RunRecording(QObject *parent)
    : QObject(parent)
{
    m_statusTimer.setInterval(500);
    m_statusTimer.callOnTimeout(this, [this] { emit StatusChanged(StatusText()); });
    m_recorder.OnStopped = [this](SampleRecorder *, const RecordingStopped &stop) {
        m_fileName.clear();
        m_statusTimer.stop();
        Changed();
        emit StatusChanged(stop.message);
        emit Failed(stop.message);
    };
}

void RunRecording::SwitchOn(const QString &fileName, const QStringList &runningChannels)
{
    SwitchOff();
    m_fileName = fileName;
    if (runningChannels.isEmpty()) {
        Changed();
        return;
    }
    Begin(runningChannels);
}

void RunRecording::RunStarted(const QStringList &channelNames)
{
    if (!Armed())
        emit StatusChanged(QString()); // how the last recording ended is old news now
    else if (!Recording())
        Begin(channelNames);
}

void RunRecording::EndedWithRun(const QString &reason)
{
    const RecordingStatus status = m_recorder.Status();
    emit StatusChanged(tr("%1 – Aufzeichnung beendet: %2, %3 Samples")
                               .arg(reason, status.fileName, QString::number(status.samples)));
}

void RunRecording::Begin(const QStringList &channelNames)
{
    try {
        m_recorder.Start(m_fileName, channelNames);
    } catch (...) {
        m_fileName.clear();
        Changed();
        throw;
    }
    m_statusTimer.start();
    Changed();
}

void RunRecording::Take(const SampleBlockView &block)
{
    if (Recording())
        m_recorder.Append({block.ReadTime, {block.Values.begin(), block.Values.end()}});
}

void RunRecording::SwitchOff()
{
    m_recorder.Stop(); // a fault on its way is still reported, and disarms
    m_statusTimer.stop();
    if (m_fileName.isEmpty())
        return;
    m_fileName.clear();
    Changed();
}

void RunRecording::Changed()
{
    emit StateChanged();
    emit StatusChanged(StatusText());
}

QString RunRecording::StatusText() const
{
    if (!Armed())
        return QString();
    const QString name = QFileInfo(m_fileName).fileName();
    if (!Recording())
        return tr("REC %1 (wartet auf Start)").arg(name);
    const RecordingStatus status = m_recorder.Status();
    return tr("REC %1  %2  %3")
            .arg(name, QLocale().formattedDataSize(status.bytes), Duration(status.duration));
}

QString DefaultRecordingName()
{
    return QDateTime::currentDateTime().toString(
            QStringLiteral("'vantor-'yyyy-MM-dd_HH-mm-ss'.csv'"));
}
