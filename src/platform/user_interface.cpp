#include "platform/user_interface.h"

#include "platform/exception.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMetaObject>

namespace {

MessagePresenter &Presenter()
{
    static MessagePresenter presenter;
    return presenter;
}

// The box is shown and left to the user: the caller goes on at once, so no event loop runs
// inside the handler that reports. A text already on screen is not shown a second time.
void ShowDialog(TMessageKind kind, const QString &caption, const QString &text,
                const QString &advice)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    const QString title = caption.isEmpty() ? QCoreApplication::applicationName() : caption;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        const auto *open = qobject_cast<QMessageBox *>(window);
        if (open && open->isVisible() && open->text() == text && open->informativeText() == advice)
            return;
    }
    auto *box = new QMessageBox(kind == TMessageKind::mkError ? QMessageBox::Critical
                                                              : QMessageBox::Information,
                                title, text, QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    if (!advice.isEmpty()) {
        box->setInformativeText(advice);
        box->setTextInteractionFlags(Qt::TextSelectableByMouse); // commands can be copied
    }
    box->setWindowFlag(Qt::WindowStaysOnTopHint);
    box->show();
    box->raise();
    box->activateWindow();
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
