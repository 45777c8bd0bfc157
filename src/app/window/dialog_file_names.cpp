#include "app/window/dialog_file_names.h"

#include "app/run/run_recording.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

struct DialogSetup
{
    bool Save;
    const char *Extension;
    const char *Filter;
};

DialogSetup SetupFor(FileNameSource::Purpose purpose)
{
    using P = FileNameSource::Purpose;
    switch (purpose) {
    case P::SaveBitmap:
        return {true, "bmp", "Graphic Files (*.bmp)|*.BMP"};
    case P::SaveFastDisplay:
        return {true, "vnx", "Vantor Files (*.vnx)|*.VNX"};
    case P::LoadFastDisplay:
        return {false, "vnx", "Vantor Files (*.vnx)|*.VNX"};
    case P::ExportCsv:
        return {true, "csv", "Vantor Files (*.csv)|*.CSV"};
    case P::SaveSlowDisplay:
        return {true, "vns", "Vantor Files (*.vns)|*.VNs"};
    case P::LoadSlowDisplay:
        return {false, "vns", "Vantor Files (*.vns)|*.VNs"};
    case P::Record:
        return {true, "csv", "CSV Files (*.csv)|*.CSV"};
    }
    return {false, "", ""};
}

// "Text|*.EXT" as the dialog shows it: "Text (*.EXT)", matched without regard to case.
QString QtFilter(const char *filter)
{
    const QString text = QString::fromLatin1(filter);
    return text.section(QLatin1Char('|'), 0, 0);
}

} // namespace

QString DialogFileNames::FileName(Purpose purpose, QWidget *parent)
{
    const DialogSetup setup = SetupFor(purpose);
    QFileDialog dialog(parent, QString(), StartFolder(), QtFilter(setup.Filter));
    dialog.setAcceptMode(setup.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(setup.Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QString::fromLatin1(setup.Extension));
    dialog.setOption(QFileDialog::ReadOnly, false);
    if (purpose == Purpose::Record)
        dialog.selectFile(DefaultRecordingName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    const QString fileName = dialog.selectedFiles().constFirst();
    m_lastFolder = QFileInfo(fileName).absolutePath();
    return fileName;
}

QString DialogFileNames::StartFolder() const
{
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}
