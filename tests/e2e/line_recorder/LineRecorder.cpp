// Loaded into the program under test (LD_PRELOAD): every change the program makes to the
// modem lines of a serial port (TIOCMBIS, TIOCMBIC, TIOCMSET) is appended to the file named
// by BREVANT_LINE_RECORD as "RTS 1", "DTR 0", ... and reported as done, and TIOCMGET reads
// them back, since a pseudo-terminal has no modem lines of its own. With BREVANT_LINE_TIMES
// naming a file, each change also goes there with the wall-clock time it was made, in
// nanoseconds ("RTS 0 1765465200123456789"), to be set against the moment a scenario acted.
// Every other call goes through untouched.

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

using IoctlFunction = int (*)(int, unsigned long, void*);

IoctlFunction realIoctl()
{
    static const auto real = reinterpret_cast<IoctlFunction>(dlsym(RTLD_NEXT, "ioctl"));
    return real;
}

void appendTo(const char* variable, const char* text, int length)
{
    const char* path = std::getenv(variable);
    if (!path || length <= 0)
        return;
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    [[maybe_unused]] const ssize_t written = ::write(fd, text, size_t(length));
    ::close(fd);
}

void record(const char* line, bool on)
{
    timespec now = {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    char text[64];
    int length = std::snprintf(text, sizeof text, "%s %d\n", line, on ? 1 : 0);
    appendTo("BREVANT_LINE_RECORD", text, length);
    length = std::snprintf(text, sizeof text, "%s %d %lld%09ld\n", line, on ? 1 : 0, static_cast<long long>(now.tv_sec),
                           now.tv_nsec);
    appendTo("BREVANT_LINE_TIMES", text, length);
}

int lineState = 0; // the modem lines as the program set them last

void recordLines(unsigned long request, int bits)
{
    if (request == TIOCMSET)
        lineState = bits;
    else if (request == TIOCMBIS)
        lineState |= bits;
    else
        lineState &= ~bits;
    const struct {
        int bit;
        const char* name;
    } lines[] = {{TIOCM_RTS, "RTS"}, {TIOCM_DTR, "DTR"}};
    for (const auto& line : lines) {
        if (request == TIOCMSET)
            record(line.name, (bits & line.bit) != 0);
        else if (bits & line.bit)
            record(line.name, request == TIOCMBIS);
    }
}

} // namespace

extern "C" int ioctl(int fd, unsigned long request, ...)
{
    va_list arguments;
    va_start(arguments, request);
    void* argument = va_arg(arguments, void*);
    va_end(arguments);
    if (request == TIOCMBIS || request == TIOCMBIC || request == TIOCMSET) {
        recordLines(request, *static_cast<int*>(argument));
        realIoctl()(fd, request, argument);
        return 0;
    }
    if (request == TIOCMGET && realIoctl()(fd, request, argument) != 0) {
        *static_cast<int*>(argument) = lineState;
        return 0;
    }
    return realIoctl()(fd, request, argument);
}
