// The stand-in serves only processes of its own user: the peer's user as
// the system tells it, for a process of this user and of another one.

#include "server/peercredentials.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using standin::peerIsThisUser;

class PeerCredentials : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        // Reachable by every user: the private folder of the stand-in is not
        // what this test is about.
        QFile::setPermissions(folder.path(), QFileDevice::Permissions(0x7777));
        server.setSocketOptions(QLocalServer::WorldAccessOption);
        ASSERT_TRUE(server.listen(path())) << server.errorString().toStdString();
    }

    QString path() const { return QDir(folder.path()).filePath(QStringLiteral("peer")); }

    QTemporaryDir folder;
    QLocalServer server;
};

TEST_F(PeerCredentials, AProcessOfThisUserIsServed)
{
    QLocalSocket client;
    client.connectToServer(path());
    ASSERT_TRUE(client.waitForConnected(5000));
    ASSERT_TRUE(server.waitForNewConnection(5000));
    QLocalSocket *accepted = server.nextPendingConnection();
    ASSERT_TRUE(accepted);
    EXPECT_TRUE(peerIsThisUser(accepted->socketDescriptor()));
}

TEST_F(PeerCredentials, AProcessOfAnotherUserIsNot)
{
    if (::getuid() != 0)
        GTEST_SKIP() << "only root can start a process of another user here";
    const QByteArray socketPath = QFile::encodeName(path());
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // The child: user nobody, connects and waits to be looked at.
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(3);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, socketPath.constData(), sizeof address.sun_path - 1);
        if (::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            ::_exit(4);
        char byte;
        (void)::read(fd, &byte, 1); // until the server closes its end
        ::_exit(0);
    }
    const bool connected = server.waitForNewConnection(10000);
    QLocalSocket *accepted = connected ? server.nextPendingConnection() : nullptr;
    const bool served = accepted && peerIsThisUser(accepted->socketDescriptor());
    if (accepted)
        accepted->abort();
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0) << "the other user's process could not connect";
    ASSERT_TRUE(accepted);
    EXPECT_FALSE(served);
}

TEST(PeerCredentialsOfNoSocket, AreNotThisUsers)
{
    EXPECT_FALSE(peerIsThisUser(-1));
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    EXPECT_FALSE(peerIsThisUser(pipeEnds[0])); // not a socket: the system cannot say
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}

} // namespace
