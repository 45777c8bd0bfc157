#pragma once

#include <QString>

class QWidget;

// Where the file actions of the main window get their file names. The window asks the
// dialogs; tests put names in directly. An empty name means the user cancelled.
class FileNameSource
{
public:
    enum class Purpose {
        SaveBitmap,
        SaveFastDisplay,
        LoadFastDisplay,
        ExportCsv,
        SaveSlowDisplay,
        LoadSlowDisplay,
        Record // a recording of every sample; the dialog proposes DefaultRecordingName()
    };

    virtual ~FileNameSource() = default;
    virtual QString FileName(Purpose purpose, QWidget *parent) = 0;
};
