// The keying lines on their devices, seen through the devices' doubles, and where the
// parallel port's I/O addresses lead.

#include "platform/KeyingLine.h"

#include "core/QStringPrinter.h"
#include "support/FakeDevices.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

// A clock the test moves by hand.
struct StepClock {
    qint64 ns = 0;
    DeviceClock reader() { return [this] { return ns; }; }
};

TEST(SerialKeyingLine, KeysOnlyItsOwnLineOfAnOpenPort)
{
    for (ModemLine line : {ModemLine::Rts, ModemLine::Dtr}) {
        StepClock clock;
        FakeSerialPort port;
        port.now = clock.reader();
        SerialKeyingLine keying(port, line);
        EXPECT_FALSE(keying.setKeyed(true)) << "a closed port keys nothing";
        EXPECT_TRUE(port.lineChanges.empty());

        ASSERT_TRUE(port.open());
        clock.ns = 1000;
        EXPECT_TRUE(keying.setKeyed(true));
        clock.ns = 61000;
        EXPECT_TRUE(keying.setKeyed(false));
        ASSERT_EQ(port.lineChanges.size(), 2u);
        for (const auto& change : port.lineChanges)
            EXPECT_EQ(change.line, line);
        EXPECT_TRUE(port.lineChanges[0].on);
        EXPECT_EQ(port.lineChanges[0].atNs, 1000);
        EXPECT_FALSE(port.lineChanges[1].on);
        EXPECT_EQ(port.lineChanges[1].atNs, 61000);
        EXPECT_FALSE(port.dtr || port.rts);
    }
}

TEST(ParallelKeyingLine, WritesThreeAndTwoToTheControlRegister)
{
    RecordingParallelPort port;
    ParallelKeyingLine first(port, 0x378);
    EXPECT_TRUE(first.setKeyed(true));
    EXPECT_TRUE(first.setKeyed(false));
    ParallelKeyingLine second(port, 0x278);
    EXPECT_TRUE(second.setKeyed(true));
    ASSERT_EQ(port.writes.size(), 3u);
    EXPECT_EQ(port.writes[0].address, 890); // &H37A
    EXPECT_EQ(port.writes[0].value, 3);
    EXPECT_EQ(port.writes[1].address, 890);
    EXPECT_EQ(port.writes[1].value, 2);
    EXPECT_EQ(port.writes[2].address, 0x27A);

    ParallelKeyingLine nowhere(port, 0x300);
    EXPECT_FALSE(nowhere.setKeyed(true)) << "no port at that address";
    EXPECT_EQ(port.writes.size(), 3u);
}

TEST(ParallelPortAddresses, BaseAddressesLeadToTheLinuxDevices)
{
    const struct {
        quint16 address;
        std::optional<ParallelRegister> reg;
    } cases[] = {
        {0x378, ParallelRegister{"/dev/parport0", ParallelRegister::Data}},
        {0x37A, ParallelRegister{"/dev/parport0", ParallelRegister::Control}},
        {0x278, ParallelRegister{"/dev/parport1", ParallelRegister::Data}},
        {0x27A, ParallelRegister{"/dev/parport1", ParallelRegister::Control}},
        {0x3BC, ParallelRegister{"/dev/parport2", ParallelRegister::Data}},
        {0x3BE, ParallelRegister{"/dev/parport2", ParallelRegister::Control}},
        {0x379, std::nullopt}, // the status register cannot be written
        {0x37B, std::nullopt},
        {0x3F8, std::nullopt},
        {0, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parallelRegisterAt(c.address), c.reg) << c.address;
}

TEST(PpdevParallelPort, AnAddressWithoutAPortIsRefusedWithItsReason)
{
    PpdevParallelPort port;
    QString error;
    EXPECT_FALSE(port.write(0x379, 3, &error));
    EXPECT_EQ(error, "No parallel port register at address 379");
    if (!QFile::exists("/dev/parport2")) {
        EXPECT_FALSE(port.write(0x3BE, 3, &error));
        EXPECT_TRUE(error.startsWith("Cannot open /dev/parport2: ")) << error.toStdString();
    }
}

} // namespace
