// The wire: the client speaks TLS and trusts only its authority.
#include "data/db_error.h"
#include "data/tdm.h"
#include "tests/support/app_fixture.h"

#include <QTemporaryDir>
#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

// A relay on loopback between one client and the server that keeps every byte
// the client sends, as a listener on the network would see them.
class Relay {
public:
    explicit Relay(unsigned serverPort) : serverPort_(serverPort)
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(0);
        ::bind(listener_, reinterpret_cast<sockaddr *>(&address), sizeof address);
        ::listen(listener_, 1);
        socklen_t length = sizeof address;
        ::getsockname(listener_, reinterpret_cast<sockaddr *>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { run(); });
    }
    ~Relay()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        ::close(listener_);
    }
    unsigned port() const { return port_; }
    // What the client sent, once the relay has finished.
    std::string sent()
    {
        stop_ = true;
        if (thread_.joinable())
            thread_.join();
        return sent_;
    }

private:
    static sockaddr_in loopback(unsigned port)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

    void run()
    {
        pollfd waiting{listener_, POLLIN, 0};
        while (!stop_ && ::poll(&waiting, 1, 50) == 0) {
        }
        if (stop_)
            return;
        const int client = ::accept(listener_, nullptr, nullptr);
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address = loopback(serverPort_);
        ::connect(server, reinterpret_cast<sockaddr *>(&address), sizeof address);
        pollfd ends[2] = {{client, POLLIN, 0}, {server, POLLIN, 0}};
        char buffer[16384];
        for (bool open = true; open && !stop_;) {
            if (::poll(ends, 2, 50) <= 0)
                continue;
            for (int i = 0; i < 2 && open; ++i) {
                if (!(ends[i].revents & (POLLIN | POLLHUP)))
                    continue;
                const ssize_t n = ::read(ends[i].fd, buffer, sizeof buffer);
                if (n <= 0) {
                    open = false;
                    break;
                }
                if (i == 0)
                    sent_.append(buffer, static_cast<size_t>(n));
                ::write(ends[1 - i].fd, buffer, static_cast<size_t>(n));
            }
        }
        ::close(client);
        ::close(server);
    }

    unsigned serverPort_;
    unsigned port_ = 0;
    int listener_ = -1;
    std::atomic<bool> stop_{false};
    std::string sent_;
    std::thread thread_;
};

} // namespace

TEST(ConnectionTlsTest, ALoginsPasswordDoesNotCrossTheWireInClearText)
{
    TestServer server(true);
    Relay relay(server.port());
    ConnectionSettings settings = settingsFor(server);
    settings.port = relay.port();
    Tdm dm(settings);
    Query &q = dm.fdsq1;
    q.setSql("CALL nasn_login_cek(:nip, :pass)");
    q.setText("nip", demoOperator.nip);
    q.setText("pass", demoOperator.password);
    q.open();
    EXPECT_EQ(q.rowCount(), 1) << "the login went through the relay";
    dm.fdremunerasi.close();

    const std::string sent = relay.sent();
    EXPECT_GT(sent.size(), 1000u);
    EXPECT_EQ(sent.find(demoOperator.password), std::string::npos);
    EXPECT_EQ(sent.find(demoOperator.nip), std::string::npos);
    EXPECT_EQ(sent.find(server.password()), std::string::npos) << "nor the account's password";
}

// A server whose certificate does not chain to the client's authority is not
// talked to: the step shows its connection-failure text.
TEST(ConnectionTlsTest, AServerTheClientCannotVerifyIsNotConnected)
{
    QTemporaryDir dir;
    const std::string other = dir.filePath("other.pem").toStdString();
    ASSERT_EQ(std::system(("openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=other -keyout '" +
                           dir.filePath("other-key.pem").toStdString() + "' -out '" + other + "' 2>/dev/null")
                              .c_str()),
              0);
    QFile pem(QString::fromStdString(other));
    ASSERT_TRUE(pem.open(QIODevice::ReadOnly));

    TestServer server(true);
    ConnectionSettings settings = settingsFor(server);
    settings.authority = pem.readAll();
    Connection connection(settings);
    EXPECT_THROW(connection.open(), DbError);

    Tdm dm(settings);
    MessageRecorder messages;
    FileChooserRecorder files;
    Tfmain window(dm, messages, files);
    window.tabLogin->leNIP->setText(demoOperator.nip);
    window.tabLogin->lePassword->setText(demoOperator.password);
    window.tabLogin->btnloginClick();
    EXPECT_EQ(messages.take(), (Boxes{{MessageKind::Warning, "Gagal terhubung ke database Belunta!"}}));
    EXPECT_TRUE(window.context.nipLogin.isEmpty());
}
