#include "app/window/dialog_file_names.h"

#include "app/run/run_recording.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

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
        return {true, "bmp", QT_TRANSLATE_NOOP("DialogFileNames", "Graphic Files (*.bmp)|*.BMP")};
    case P::SaveFastDisplay:
        return {true, "vnx", QT_TRANSLATE_NOOP("DialogFileNames", "Vantor Files (*.vnx)|*.VNX")};
    case P::LoadFastDisplay:
        return {false, "vnx", QT_TRANSLATE_NOOP("DialogFileNames", "Vantor Files (*.vnx)|*.VNX")};
    case P::ExportCsv:
        return {true, "csv", QT_TRANSLATE_NOOP("DialogFileNames", "Vantor Files (*.csv)|*.CSV")};
    case P::SaveSlowDisplay:
        return {true, "vns", QT_TRANSLATE_NOOP("DialogFileNames", "Vantor Files (*.vns)|*.VNs")};
    case P::LoadSlowDisplay:
        return {false, "vns", QT_TRANSLATE_NOOP("DialogFileNames", "Vantor Files (*.vns)|*.VNs")};
    case P::Record:
        return {true, "csv", QT_TRANSLATE_NOOP("DialogFileNames", "CSV Files (*.csv)|*.CSV")};
    }
    return {false, "", ""};
}

// "Text|*.EXT" as the dialog shows it: "Text (*.EXT)", matched without regard to case.
QString QtFilter(const char *filter)
{
    const QString text = QCoreApplication::translate("DialogFileNames", filter);
    return text.section(QLatin1Char('|'), 0, 0);
}

const QString LastFolderKey = QStringLiteral("Dialogs/LastFolder");

// Qt's file dialog writes its history and sidebar to the user's QtProject.conf, which no
// package removes. Vantor keeps no QSettings of its own under the default path (its file is
// named explicitly), so that path points where nothing can be written.
void KeepQtDialogStateNowhere()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));
}

} // namespace

DialogFileNames::DialogFileNames(QString settingsFile)
    : m_settingsFile(std::move(settingsFile))
{
    KeepQtDialogStateNowhere();
    m_lastFolder = QSettings(m_settingsFile, QSettings::IniFormat).value(LastFolderKey).toString();
}

QString DialogFileNames::SettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/vantor.conf");
}

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
    QSettings(m_settingsFile, QSettings::IniFormat).setValue(LastFolderKey, m_lastFolder);
    return fileName;
}

QString DialogFileNames::StartFolder() const
{
    if (!m_lastFolder.isEmpty() && QFileInfo(m_lastFolder).isDir())
        return m_lastFolder;
    return QStandardPaths::writableLocation(QStandardPaths::HomeLocation);
}
