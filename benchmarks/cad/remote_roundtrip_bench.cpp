// The round trip of one call through the stand-in's socket (its server on a
// thread of its own), median and 99th percentile, against a bare
// QLocalSocket round trip of a message of the same order of size.

#include "cad/remote/remoteconnection.h"
#include "cad/remote/socketrunningobjecttable.h"
#include "cad/remote_standinthread.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QSemaphore>
#include <QThread>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// Median and 99th percentile of the samples into the counters, in µs.
void reportRoundTrips(benchmark::State &state, std::vector<double> &microseconds)
{
    if (microseconds.empty())
        return;
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["median_us"] = microseconds[microseconds.size() / 2];
    state.counters["p99_us"] = microseconds[std::min(microseconds.size() - 1, microseconds.size() * 99 / 100)];
}

void BM_SocketCallRoundTrip(benchmark::State &state)
{
    cad::remote::StandinThread standin(cad::MemoryDrawing::create(), cad::remote::uniqueProgId("BenchRoundTrip"));
    // The connection as the program makes it.
    cad::remote::ConnectionOptions options;
    options.whileWaiting = [] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); };
    cad::remote::SocketRunningObjectTable objects(options);
    const cad::ObjectRef application = objects.getActiveObject(standin.progId());
    std::vector<double> samples;
    samples.reserve(size_t(state.max_iterations));
    for (auto _ : state) {
        const auto start = Clock::now();
        benchmark::DoNotOptimize(application->get(u"HWND"));
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    reportRoundTrips(state, samples);
}
BENCHMARK(BM_SocketCallRoundTrip)->Unit(benchmark::kMicrosecond)->Iterations(20000)->UseRealTime();

// Echoes every byte it reads, on a thread of its own.
class EchoServer : public QThread
{
public:
    explicit EchoServer(QString name) : m_name(std::move(name)) {}
    QSemaphore listening;

protected:
    void run() override
    {
        QLocalServer server;
        QLocalServer::removeServer(m_name);
        server.listen(m_name);
        listening.release();
        if (!server.waitForNewConnection(10000))
            return;
        QLocalSocket *socket = server.nextPendingConnection();
        while (socket->state() == QLocalSocket::ConnectedState) {
            if (!socket->waitForReadyRead(100))
                continue;
            socket->write(socket->readAll());
            socket->flush();
        }
    }

private:
    QString m_name;
};

void BM_BareLocalSocketRoundTrip(benchmark::State &state)
{
    const QString name = QStringLiteral("morvex-bench-echo-%1").arg(QCoreApplication::applicationPid());
    EchoServer server(name);
    server.start();
    server.listening.acquire();
    QLocalSocket client;
    client.connectToServer(name);
    if (!client.waitForConnected(5000)) {
        state.SkipWithError("no echo server");
        return;
    }
    const QByteArray message(48, 'x'); // about the size of a call and its reply
    std::vector<double> samples;
    samples.reserve(size_t(state.max_iterations));
    for (auto _ : state) {
        const auto start = Clock::now();
        client.write(message);
        client.flush();
        qsizetype received = 0;
        while (received < message.size()) {
            if (client.bytesAvailable() == 0)
                client.waitForReadyRead(1000);
            received += client.readAll().size();
        }
        samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    client.disconnectFromServer();
    server.wait();
    reportRoundTrips(state, samples);
}
BENCHMARK(BM_BareLocalSocketRoundTrip)->Unit(benchmark::kMicrosecond)->Iterations(20000)->UseRealTime();

} // namespace
