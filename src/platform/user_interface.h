#pragma once

#include <QString>

#include <functional>

class QObject;

// The user-interface services the components rely on. Message output goes through a
// replaceable presenter so that tests record messages instead of opening dialogs.

enum class TMessageKind { mkInformation, mkError };

// advice is what the user can do about an error, shown under its text; empty for the others.
using MessagePresenter = std::function<void(TMessageKind kind, const QString &caption,
                                            const QString &text, const QString &advice)>;

// Installs a presenter and returns the previous one; an empty presenter restores the dialogs.
MessagePresenter SetMessagePresenter(MessagePresenter presenter);

// An owner-less, topmost message box with the information icon. Message boxes are
// application-modal but do not block the caller; they open one at a time, in the order they
// were asked for, each when the one before it is closed.
void ShowInformation(const QString &text, const QString &caption = QString());

// What the application's general error handler shows for an error that left a handler.
void ShowErrorMessage(const QString &text);
// The same with what the user can do about it under the text; a presenter receives the text.
void ShowErrorMessage(const QString &text, const QString &advice);

// Lets pending user-interface events run (timers, queued serial notifications, painting). For
// code that drives the event loop from outside, such as tests and benchmarks; a handler never
// calls it: a step that must let the window breathe ends and continues in a queued call.
void ProcessPendingEvents();

// Runs fn on the thread of receiver, queued, behind the events already posted; an exception
// leaving fn reaches the general error handler and does not end the program.
void RunOnUiThread(QObject *receiver, std::function<void()> fn);

// Runs fn and hands any exception to the general error handler; returns false then.
bool RunGuarded(const std::function<void()> &fn);
