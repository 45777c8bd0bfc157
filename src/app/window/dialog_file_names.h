#pragma once

#include "app/window/file_name_source.h"

// File names from the save and open dialogs: default extension and filter per purpose, the
// save dialog asks before overwriting. Every dialog starts in the folder of the file chosen last,
// kept in Vantor's own settings file, else (nothing chosen yet, or that folder gone) in the
// user's home folder. Qt's own dialog state (history, sidebar) is kept nowhere.
class DialogFileNames : public FileNameSource
{
public:
    explicit DialogFileNames(QString settingsFile = SettingsFile());

    QString FileName(Purpose purpose, QWidget *parent) override;

    // $XDG_CONFIG_HOME/vantor.conf, ~/.config/vantor.conf by default.
    static QString SettingsFile();

private:
    QString StartFolder() const;

    QString m_settingsFile;
    QString m_lastFolder;
};
