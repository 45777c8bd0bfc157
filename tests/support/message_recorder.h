#pragma once

#include "platform/user_interface.h"

#include <QString>
#include <QStringList>

// Records the message boxes and error dialogs shown while it lives, instead of opening them.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();

    MessageRecorder(const MessageRecorder &) = delete;
    MessageRecorder &operator=(const MessageRecorder &) = delete;

    QStringList Infos;
    QStringList Errors;
    QStringList Advice; // one per error, empty when it had none
    QStringList Captions;

private:
    MessagePresenter m_previous;
};
