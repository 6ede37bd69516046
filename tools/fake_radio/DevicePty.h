#pragma once

// The device end of a pseudo-terminal that a fake serial device sits on: raw bytes both
// ways, reads that never block, and the program's end held open here too, so the program
// closing and reopening its port never hangs up the line (which would wake a notifier for
// nothing). fd() is -1 when no pseudo-terminal could be had.

#include <QByteArray>
#include <QString>

class DevicePty {
public:
    DevicePty();
    ~DevicePty();
    DevicePty(const DevicePty&) = delete;
    DevicePty& operator=(const DevicePty&) = delete;

    int fd() const { return m_fd; }
    // The program's end, as a serial port name ("/dev/pts/5").
    const QString& name() const { return m_name; }

    // Writes every byte, waiting out a full line; stops at a real failure.
    void write(const QByteArray& bytes);
    // The next bytes waiting from the program, at most 512; empty when none are.
    QByteArray readChunk();
    // Closes the device end for good: the program's end is hung up, as when the device's
    // program ends or its adapter is pulled.
    void hangUp();

private:
    int m_fd = -1;
    int m_heldOpen = -1;
    QString m_name;
};
