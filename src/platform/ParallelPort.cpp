#include "platform/ParallelPort.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

std::optional<ParallelRegister> parallelRegisterAt(quint16 address)
{
    static const struct {
        quint16 base;
        const char* device;
    } ports[] = {{0x378, "/dev/parport0"}, {0x278, "/dev/parport1"}, {0x3BC, "/dev/parport2"}};
    for (const auto& port : ports) {
        if (address == port.base)
            return ParallelRegister{QString::fromLatin1(port.device), ParallelRegister::Data};
        if (address == port.base + 2)
            return ParallelRegister{QString::fromLatin1(port.device), ParallelRegister::Control};
    }
    return std::nullopt;
}

PpdevParallelPort::~PpdevParallelPort()
{
    for (const auto& [device, fd] : m_open) {
        ::ioctl(fd, PPRELEASE);
        ::close(fd);
    }
}

int PpdevParallelPort::claimed(const QString& device, QString* error)
{
    if (auto found = m_open.find(device); found != m_open.end())
        return found->second;
    const int fd = ::open(device.toLocal8Bit().constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0 || ::ioctl(fd, PPCLAIM) != 0) {
        if (error)
            *error = QStringLiteral("Cannot open %1: %2").arg(device, QString::fromLocal8Bit(std::strerror(errno)));
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    m_open[device] = fd;
    return fd;
}

bool PpdevParallelPort::write(quint16 address, quint8 value, QString* error)
{
    const auto reg = parallelRegisterAt(address);
    if (!reg) {
        if (error)
            *error = QStringLiteral("No parallel port register at address %1").arg(address, 0, 16);
        return false;
    }
    const int fd = claimed(reg->device, error);
    if (fd < 0)
        return false;
    unsigned char byte = value;
    const unsigned long request = reg->kind == ParallelRegister::Control ? PPWCONTROL : PPWDATA;
    if (::ioctl(fd, request, &byte) != 0) {
        if (error)
            *error = QStringLiteral("Cannot write to %1: %2").arg(reg->device, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}
