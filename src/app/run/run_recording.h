#pragma once

#include "app/run/sample_recorder.h"
#include "app/run/sample_sink.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

// The recording of a run to a file: switched on before Start it waits (armed) and begins with
// the run; switched on during a run it begins at once; Stop, switching it off or a fault end it.
// It is a sink of every run: while it records, each block the run takes goes to the file.
// User-interface thread only.
class RunRecording : public QObject, public SampleSink
{
    Q_OBJECT

public:
    explicit RunRecording(QObject *parent = nullptr);

    SampleRecorder &Recorder() { return m_recorder; }
    bool Armed() const { return !m_fileName.isEmpty(); }
    bool Recording() const { return m_recorder.Recording(); }
    QString FileName() const { return m_fileName; }

    // Switches recording on for fileName: at once when a run goes on (runningChannels is not
    // empty), otherwise with the next run. Raises EInOutError when the file cannot be created;
    // the recording is then off.
    void SwitchOn(const QString &fileName, const QStringList &runningChannels);
    // Ends the recording (whatever is queued is written) and disarms.
    void SwitchOff();

    // The run has begun with these channels: an armed recording begins. Raises as SwitchOn.
    void RunStarted(const QStringList &channelNames);
    // The run has ended: so has its recording. One that never began (the port did not open)
    // still waits for the next run.
    void RunEnded()
    {
        if (Recording())
            SwitchOff();
    }

    // The run's blocks, written while recording.
    bool Wants() const override { return Recording(); }
    void Take(const SampleBlockView &block) override;
    void EndRun() override { RunEnded(); }
    // The run has ended by itself for reason, and this recording with it: the status says so and
    // names the file and its samples until the next change.
    void EndedWithRun(const QString &reason);

    // "name, 12.3 MB, 0:01:05" while recording; "name (waits for Start)" while armed; after a
    // recording ended by itself, why, until the next run or recording.
    QString StatusText() const;

signals:
    // Armed, recording or off changed.
    void StateChanged();
    // The recording ended by itself; message names the file, its samples and the reason.
    void Failed(const QString &message);
    // About twice a second while recording, and at every change.
    void StatusChanged(const QString &text);

private:
    void Begin(const QStringList &channelNames);
    void Changed();

    SampleRecorder m_recorder;
    QString m_fileName;
    QTimer m_statusTimer;
};

// The name a new recording gets: vantor-YYYY-MM-DD_HH-MM-SS.csv, of the local time now.
QString DefaultRecordingName();
