#include "support/message_recorder.h"

MessageRecorder::MessageRecorder()
{
    m_previous = SetMessagePresenter([this](TMessageKind kind, const QString &caption,
                                            const QString &text, const QString &advice) {
        if (kind == TMessageKind::mkError) {
            Errors.append(text);
            Advice.append(advice);
        } else {
            Infos.append(text);
        }
        Captions.append(caption);
    });
}

MessageRecorder::~MessageRecorder()
{
    SetMessagePresenter(std::move(m_previous));
}
