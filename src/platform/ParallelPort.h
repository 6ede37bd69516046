#pragma once

// The parallel port's registers, written by I/O address as the keying paths name them
// ("&H378" + 2 is the control register of the first port).

#include <QString>
#include <map>
#include <optional>

class ParallelPort {
public:
    virtual ~ParallelPort() = default;
    // Writes one byte to the register at the I/O address; false, with the reason in
    // *error, when no port answers there.
    virtual bool write(quint16 address, quint8 value, QString* error = nullptr) = 0;
};

// Where an I/O address lies: the Linux parallel port device and the register in it.
struct ParallelRegister {
    enum Kind { Data, Control };
    QString device;
    Kind kind = Data;

    bool operator==(const ParallelRegister&) const = default;
};

// &H378 is /dev/parport0, &H278 /dev/parport1, &H3BC /dev/parport2; base + 0 is the data
// register, base + 2 the control register. Nothing for any other address (the status
// register, base + 1, cannot be written).
std::optional<ParallelRegister> parallelRegisterAt(quint16 address);

// The registers through the kernel's ppdev driver (PPWDATA, PPWCONTROL). A device is
// claimed on its first write and kept until the object goes.
class PpdevParallelPort final : public ParallelPort {
public:
    PpdevParallelPort() = default;
    PpdevParallelPort(const PpdevParallelPort&) = delete;
    PpdevParallelPort& operator=(const PpdevParallelPort&) = delete;
    ~PpdevParallelPort() override;

    bool write(quint16 address, quint8 value, QString* error = nullptr) override;

private:
    int claimed(const QString& device, QString* error);

    std::map<QString, int> m_open; // device -> file descriptor
};
