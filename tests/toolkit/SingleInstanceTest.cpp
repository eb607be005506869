#include "toolkit/SingleInstance.h"

#include <QDir>
#include <QSignalSpy>
#include <QUuid>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

class SingleInstanceTest : public ::testing::Test {
protected:
    // A name of its own for each test, so parallel runs never meet.
    const QString name = "QuorvelTest-" + QUuid::createUuid().toString(QUuid::WithoutBraces);
};

TEST_F(SingleInstanceTest, SecondStartFindsTheFirstAndTheFirstIsTold)
{
    SingleInstance first(name);
    ASSERT_TRUE(first.tryStart());
    QSignalSpy told(&first, &SingleInstance::anotherStartAttempted);
    SingleInstance second(name);
    EXPECT_FALSE(second.tryStart());
    EXPECT_TRUE(told.wait(2000) || told.count() == 1);
}

TEST_F(SingleInstanceTest, NameIsFreeAgainAfterTheFirstEnds)
{
    {
        SingleInstance first(name);
        ASSERT_TRUE(first.tryStart());
    }
    SingleInstance next(name);
    EXPECT_TRUE(next.tryStart());
}

TEST_F(SingleInstanceTest, StaleNameOfACrashedCopyDoesNotBlockAStart)
{
    SingleInstance probe(name);
    // What a crashed copy leaves: a socket file that nobody listens on.
    const QByteArray path = probe.serverName().toLocal8Bit();
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.constData(), sizeof(address.sun_path) - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
    ASSERT_TRUE(QFile::exists(QString::fromLocal8Bit(path)));

    SingleInstance start(name);
    EXPECT_TRUE(start.tryStart());
    SingleInstance second(name);
    EXPECT_FALSE(second.tryStart());
}
