#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QLocalServer;

// Keeps one instance of the program per user. The first instance listens on a local socket
// named after the executable's file name; a later start connects, asks the first one to come
// to the front and then ends. A name left behind by a crashed instance is taken over.
class SingleInstanceGuard : public QObject
{
public:
    explicit SingleInstanceGuard(QString name = DefaultName());
    ~SingleInstanceGuard() override;

    // True when this is the only running instance; false when another one was asked to
    // come to the front (this one should end then).
    bool Acquire();

    // Called in the first instance when a later start asks it to come to the front.
    std::function<void()> OnActivateRequest;

    const QString &Name() const { return m_name; }
    static QString DefaultName();

private:
    QString m_name;
    std::unique_ptr<QLocalServer> m_server;
};
