#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace qrl {

// One running program per user: a later start hands its project files to the program that runs
// already, through a local socket of the user's own runtime folder, and ends. Without that folder
// every start runs on its own.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    // `socketPath` is the socket's file; empty runs alone.
    explicit SingleInstance(const QString& socketPath = defaultSocketPath(), QObject* parent = nullptr);
    ~SingleInstance() override;

    // "<XDG_RUNTIME_DIR>/Quorlyn32.socket"; empty when the variable is unset or not absolute.
    static QString defaultSocketPath();

    // Hands `files` (absolute paths; none just brings the running program forward) to the running
    // program and answers true once it has taken them. Otherwise this program becomes the running
    // one: it listens from here on (a socket left by a program that ended without removing it is
    // replaced) and the answer is false, as it is when the socket cannot be made at all.
    bool handOverOrListen(const QStringList& files);
    bool isListening() const;
    // A program on its way out takes no more files: a later start runs on its own.
    void stopListening();

signals:
    // A later start handed these files over (an empty list: it was started without any).
    void filesReceived(const QStringList& files);

private:
    bool handOver(const QStringList& files);
    void listen();
    void receive();

    QString m_socketPath;
    QLocalServer* m_server = nullptr;
};

} // namespace qrl
