#include "support/message_recorder.h"

MessageRecorder::MessageRecorder()
{
    m_previous = SetMessagePresenter(
            [this](TMessageKind kind, const QString &caption, const QString &text) {
                (kind == TMessageKind::mkError ? Errors : Infos).append(text);
                Captions.append(caption);
            });
}

MessageRecorder::~MessageRecorder()
{
    SetMessagePresenter(std::move(m_previous));
}
