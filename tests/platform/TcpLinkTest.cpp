// The TCP link against a local server: connecting, bytes both ways, the far end hanging
// up, and a refused connection as its socket error number.

#include "platform/TcpLink.h"

#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TcpLinkTest : public ::testing::Test {
protected:
    QTcpServer server;
    QtTcpLink link;
    int connects = 0;
    int arrivals = 0;
    int hangUps = 0;
    std::vector<int> errors;

    void SetUp() override
    {
        ASSERT_TRUE(server.listen(QHostAddress::LocalHost));
        link.onConnected = [this] { ++connects; };
        link.onDataArrived = [this] { ++arrivals; };
        link.onClosed = [this] { ++hangUps; };
        link.onError = [this](int number, const QString&) { errors.push_back(number); };
    }

    // The server's side of the link, once the link has connected.
    QTcpSocket* accepted()
    {
        if (!QTest::qWaitFor([this] { return server.hasPendingConnections(); }, 2000))
            return nullptr;
        return server.nextPendingConnection();
    }
};

TEST_F(TcpLinkTest, ConnectsAndCarriesBytesBothWays)
{
    EXPECT_EQ(link.state(), TcpLink::State::Closed);
    EXPECT_FALSE(link.write("early\r\n")) << "nothing goes out before the link is up";
    link.connectToHost("127.0.0.1", server.serverPort());
    EXPECT_EQ(link.state(), TcpLink::State::Connecting) << "connect returns at once";
    QTcpSocket* cluster = accepted();
    ASSERT_NE(cluster, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([this] { return connects == 1; }, 2000));
    EXPECT_EQ(link.state(), TcpLink::State::Connected);

    cluster->write("login: ");
    ASSERT_TRUE(QTest::qWaitFor([this] { return arrivals > 0; }, 2000));
    EXPECT_EQ(link.readAll(), "login: ");
    EXPECT_EQ(link.readAll(), QByteArray());

    ASSERT_TRUE(link.write("W1AW\r\n"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return cluster->bytesAvailable() >= 6; }, 2000));
    EXPECT_EQ(cluster->readAll(), "W1AW\r\n");

    cluster->close();
    ASSERT_TRUE(QTest::qWaitFor([this] { return hangUps == 1; }, 2000));
    EXPECT_TRUE(errors.empty()) << "the far end hanging up is no error";
    EXPECT_EQ(link.state(), TcpLink::State::Closed);
}

TEST_F(TcpLinkTest, ARefusedConnectionIsErrorTenThousandSixtyOne)
{
    const quint16 port = server.serverPort();
    server.close(); // nobody listens there now
    link.connectToHost("127.0.0.1", port);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !errors.empty(); }, 2000));
    EXPECT_EQ(errors, std::vector<int>{10061});
    EXPECT_EQ(connects, 0);
    EXPECT_EQ(link.state(), TcpLink::State::Closed);
}

TEST_F(TcpLinkTest, ClosingByTheProgramIsQuiet)
{
    link.connectToHost("127.0.0.1", server.serverPort());
    QTcpSocket* cluster = accepted();
    ASSERT_NE(cluster, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([this] { return connects == 1; }, 2000));
    link.close();
    EXPECT_EQ(link.state(), TcpLink::State::Closed);
    ASSERT_TRUE(QTest::qWaitFor([&] { return cluster->state() == QAbstractSocket::UnconnectedState; }, 2000));
    QTest::qWait(20);
    EXPECT_EQ(hangUps, 0);
    EXPECT_TRUE(errors.empty());
}

TEST(SocketErrorNumbers, AsTheWindowsKnowThem)
{
    EXPECT_EQ(socketErrorNumber(QAbstractSocket::ConnectionRefusedError), 10061);
    EXPECT_EQ(socketErrorNumber(QAbstractSocket::HostNotFoundError), 11001);
    EXPECT_EQ(socketErrorNumber(QAbstractSocket::SocketTimeoutError), 10060);
    EXPECT_EQ(socketErrorNumber(QAbstractSocket::NetworkError), 10050);
    EXPECT_EQ(socketErrorNumber(QAbstractSocket::UnknownSocketError), 10050);
}

} // namespace
