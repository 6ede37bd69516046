#pragma once

// A radio at the far end of a pseudo-terminal, for tests that run the program's real serial
// port: the program opens name(); the fake answers each command as the family it plays and
// records every byte it received with the time it came.
//   Kenwood (Kenwood, Elecraft, FTdx9000): commands end with ';', a query is the command
//     letters alone ("FA;"), a set carries digits ("FA00007030000;") and is not answered.
//   Ten-Tec Orion: lines end with '\r'; '?' asks, '*' sets, '@' answers.
//     The frequency is set in MHz ("*AF7.03") and reported in Hz ("@AF7030000").
// Answers come from the radio's state: what a set command stored, or a canned reply a test
// puts in replies. It runs on the caller's event loop (a socket notifier), no thread.

#include <QByteArray>
#include <QMap>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QSocketNotifier;

class FakeRadio : public QObject {
    Q_OBJECT
public:
    enum class Family { Kenwood, Orion };

    struct Received {
        QByteArray bytes;
        qint64 atMs; // monotonic
    };

    explicit FakeRadio(Family family);
    ~FakeRadio() override;

    // The device name the program opens ("/dev/pts/N"); empty when no pseudo-terminal.
    const QString& name() const { return m_name; }

    // The answer to a query, by its command ("FA", "MD", "IF" or Orion "AF", "RMM").
    // A set command of the same letters replaces it.
    QMap<QByteArray, QByteArray> replies;
    // Every read, as it came, and the commands one by one.
    std::vector<Received> received;
    std::vector<QByteArray> commands;
    QByteArray allReceived() const;

    // Sends bytes unasked (a reply split across reads, noise on the line).
    void send(const QByteArray& bytes);

private:
    void readAvailable();
    void takeCommand(const QByteArray& command);
    QByteArray answerKenwood(const QByteArray& command);
    QByteArray answerOrion(const QByteArray& line);

    Family m_family;
    int m_fd = -1;
    int m_heldOpen = -1;
    QString m_name;
    QByteArray m_pending;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
