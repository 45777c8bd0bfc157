#include "platform/user_interface.h"

#include "platform/exception.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPointer>

#include <algorithm>
#include <deque>

namespace {

MessagePresenter &Presenter()
{
    static MessagePresenter presenter;
    return presenter;
}

struct Message
{
    TMessageKind Kind;
    QString Caption;
    QString Text;
    QString Advice;

    bool operator==(const Message &) const = default;
};

// Messages for the person, one box at a time: the next opens when the open one is closed, so
// two that arrive together never lie on top of each other. A message already open or waiting
// is not added a second time.
struct MessageQueue
{
    QPointer<QMessageBox> Open;
    Message Shown {};
    std::deque<Message> Waiting;
};

MessageQueue &Queue()
{
    static MessageQueue queue;
    return queue;
}

// The box is shown and left to the user: the caller goes on at once, so no event loop runs
// inside the handler that reports.
void ShowNext()
{
    MessageQueue &queue = Queue();
    if (queue.Open || queue.Waiting.empty())
        return;
    const Message m = queue.Waiting.front();
    queue.Waiting.pop_front();
    const QString title = m.Caption.isEmpty() ? QCoreApplication::applicationName() : m.Caption;
    auto *box = new QMessageBox(m.Kind == TMessageKind::mkError ? QMessageBox::Critical
                                                                : QMessageBox::Information,
                                title, m.Text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    if (!m.Advice.isEmpty()) {
        box->setInformativeText(m.Advice);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse); // commands can be copied
    }
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    QObject::connect(box, &QDialog::finished, box, [box] {
        if (Queue().Open == box)
            Queue().Open = nullptr;
        ShowNext();
    });
    queue.Open = box;
    queue.Shown = m;
    box->show();
    box->raise();
    box->activateWindow();
}

void ShowDialog(TMessageKind kind, const QString &caption, const QString &text,
                const QString &advice)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    MessageQueue &queue = Queue();
    const Message m {kind, caption, text, advice};
    if ((queue.Open && queue.Open->isVisible() && queue.Shown == m)
        || std::find(queue.Waiting.begin(), queue.Waiting.end(), m) != queue.Waiting.end())
        return;
    queue.Waiting.push_back(m);
    ShowNext();
}

void Present(TMessageKind kind, const QString &caption, const QString &text,
             const QString &advice = QString())
{
    if (Presenter())
        Presenter()(kind, caption, text, advice);
    else
        ShowDialog(kind, caption, text, advice);
}

} // namespace

MessagePresenter SetMessagePresenter(MessagePresenter presenter)
{
    MessagePresenter previous = std::move(Presenter());
    Presenter() = std::move(presenter);
    return previous;
}

void ShowInformation(const QString &text, const QString &caption)
{
    Present(TMessageKind::mkInformation, caption, text);
}

void ShowErrorMessage(const QString &text)
{
    Present(TMessageKind::mkError, QString(), text);
}

void ShowErrorMessage(const QString &text, const QString &advice)
{
    Present(TMessageKind::mkError, QString(), text, advice);
}

void ProcessPendingEvents()
{
    QCoreApplication::processEvents();
}

bool RunGuarded(const std::function<void()> &fn)
{
    try {
        fn();
        return true;
    } catch (const Exception &e) {
        ShowErrorMessage(e.Message(), e.Advice());
    } catch (const std::exception &e) {
        ShowErrorMessage(QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void RunOnUiThread(QObject *receiver, std::function<void()> fn)
{
    QMetaObject::invokeMethod(
            receiver, [fn = std::move(fn)] { RunGuarded(fn); }, Qt::QueuedConnection);
}
