#pragma once

#include "app/window/file_name_source.h"

// File names from the save and open dialogs: default extension and filter per purpose, the
// save dialog asks before overwriting. Every dialog starts in the folder of the file chosen last
// in this run, else (nothing chosen yet, or that folder gone) in the user's home folder.
class DialogFileNames : public FileNameSource
{
public:
    QString FileName(Purpose purpose, QWidget *parent) override;

private:
    QString StartFolder() const;

    QString m_lastFolder;
};
