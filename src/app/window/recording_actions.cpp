// Recording every sample to a file: the Record toggle beside Start and Stop, "Record..." in the
// File menu, the status bar's report and the message when a recording ends by itself.
#include "app/window/main_window.h"

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
    RunRecording &recording = m_acquisition->Recording();
    ui->RecordButton->setIcon(RecordIcon());
    connect(ui->RecordButton, &QToolButton::clicked, this, &TForm1::RecordButtonClick);
    connect(ui->RecordMenuItem, &QAction::triggered, this, &TForm1::RecordMenuItemClick);
    connect(&recording, &RunRecording::StateChanged, this, &TForm1::RecordingStateChanged);
    connect(&recording, &RunRecording::StatusChanged, m_recordingStatus, &QLabel::setText);
    connect(&recording, &RunRecording::Failed, this,
            [](const QString &message) { ShowErrorMessage(message); });
}

// The toggle is already switched when this runs: on asks for a file, off ends the recording.
void TForm1::RecordButtonClick()
{
    if (ui->RecordButton->isChecked())
        RecordMenuItemClick();
    else
        Recording().SwitchOff();
}

void TForm1::RecordMenuItemClick()
{
    const QString name = ChooseFileName(FileNameSource::Purpose::Record);
    try {
        if (!name.isEmpty())
            Recording().SwitchOn(name,
                                 m_acquisition->Running() ? m_acquisition->Settings().ChannelNames()
                                                          : QStringList());
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
    ui->RecordButton->setChecked(Recording().Armed());
}
