// Recording every sample to a file: the Record toggle beside Start and Stop, "Record..." in the
// File menu, the status bar's report and the message when a recording ends by itself.
#include "app/window/main_window.h"

#include "app/run/packet_decoder.h"
#include "app/run/run_recording.h"
#include "platform/exception.h"
#include "platform/user_interface.h"
#include "ui_main_window.h"

#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QSignalBlocker>

namespace {

QIcon RecordIcon()
{
    QPixmap dot(16, 16);
    dot.fill(Qt::transparent);
    QPainter painter(&dot);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xd0, 0x20, 0x20));
    painter.drawEllipse(QRectF(2, 2, 12, 12));
    return QIcon(dot);
}

} // namespace

void TForm1::SetupRecording()
{
    m_recording = std::make_unique<RunRecording>();
    m_acquisition->Decoder().SetRecorder(&m_recording->Recorder());
    ui->RecordButton->setIcon(RecordIcon());
    connect(ui->RecordButton, &QToolButton::clicked, this, &TForm1::RecordButtonClick);
    connect(ui->RecordMenuItem, &QAction::triggered, this, &TForm1::RecordMenuItemClick);
    connect(m_recording.get(), &RunRecording::StateChanged, this, &TForm1::RecordingStateChanged);
    connect(m_recording.get(), &RunRecording::StatusChanged, m_recordingStatus, &QLabel::setText);
    connect(m_recording.get(), &RunRecording::Failed, this,
            [](const QString &message) { ShowErrorMessage(message); });
}

QStringList TForm1::RunChannelNames() const
{
    QStringList names;
    for (int channel = 1; channel <= m_acquisition->State().ChannelCount; ++channel)
        names << ChannelName(channel);
    return names;
}

// The toggle is already switched when this runs: on asks for a file, off ends the recording.
void TForm1::RecordButtonClick()
{
    if (ui->RecordButton->isChecked())
        RecordMenuItemClick();
    else
        m_recording->SwitchOff();
}

void TForm1::RecordMenuItemClick()
{
    const QString name = ChooseFileName(FileNameSource::Purpose::Record);
    try {
        if (!name.isEmpty())
            m_recording->SwitchOn(name,
                                  m_acquisition->Running() ? RunChannelNames() : QStringList());
    } catch (Exception &error) {
        error.SetAdvice(tr("Wählen Sie einen Ordner, in den Sie schreiben dürfen, und einen "
                           "Datenträger mit freiem Platz."));
        RecordingStateChanged();
        throw;
    }
    RecordingStateChanged(); // a cancelled dialog leaves the toggle as it was
}

void TForm1::RecordingStateChanged()
{
    const QSignalBlocker quiet(ui->RecordButton);
    ui->RecordButton->setChecked(m_recording->Armed());
}
