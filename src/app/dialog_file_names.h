#pragma once

#include "app/file_name_source.h"

// File names from the save and open dialogs: default extension and filter per purpose, the
// save dialog asks before overwriting; both start in the root folder.
class DialogFileNames : public FileNameSource
{
public:
    QString FileName(Purpose purpose, QWidget *parent) override;
};
