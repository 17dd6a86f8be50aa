#pragma once
// A stand-in server for tests of the socket link: a CadServer over an
// in-memory drawing, running on its own thread with its own event loop,
// while the test talks to it as the tool does, with blocking calls.

#include "server/cadserver.h"

#include "cad/remote/variantcodec.h"

#include <QThread>

#include <atomic>
#include <functional>
#include <string>

#include <unistd.h>

namespace cad::remote {

// A ProgID no other test, nor another run of the tests, listens on.
inline std::u16string uniqueProgId(const char *purpose)
{
    static std::atomic<int> counter{0};
    const QString id = QStringLiteral("MorvexTest.%1.%2.%3").arg(purpose).arg(::getpid()).arg(++counter);
    return fromQString(id);
}

// Waits until the condition holds (what another thread does takes a moment
// to arrive); false when it never does.
inline bool eventually(const std::function<bool()> &condition)
{
    for (int i = 0; i < 1000; ++i) {
        if (condition())
            return true;
        QThread::msleep(10);
    }
    return condition();
}

class StandinThread
{
public:
    StandinThread(std::shared_ptr<MemoryDrawing> drawing, std::u16string progId)
        : m_progId(std::move(progId))
    {
        m_context->moveToThread(&m_thread);
        QObject::connect(&m_thread, &QThread::finished, m_context, &QObject::deleteLater);
        m_thread.start();
        run([&](standin::CadServer *&server) {
            server = new standin::CadServer(drawing);
            m_listening = server->listen(m_progId);
            m_error = server->errorString();
        });
    }

    ~StandinThread() { stop(); }

    // Ends the server (its connections close) and its thread.
    void stop()
    {
        if (!m_thread.isRunning())
            return;
        run([](standin::CadServer *&server) {
            delete server;
            server = nullptr;
        });
        m_thread.quit();
        m_thread.wait();
    }

    // Runs `work` on the server's thread and waits for it.
    void run(const std::function<void(standin::CadServer *&)> &work)
    {
        QMetaObject::invokeMethod(m_context, [&] { work(m_server); }, Qt::BlockingQueuedConnection);
    }
    template <typename T>
    T read(const std::function<T(standin::CadServer &)> &query)
    {
        T value{};
        run([&](standin::CadServer *&server) { value = query(*server); });
        return value;
    }

    bool isListening() const { return m_listening; }
    QString errorString() const { return m_error; }
    const std::u16string &progId() const { return m_progId; }

private:
    std::u16string m_progId;
    QThread m_thread;
    QObject *m_context = new QObject; // deleted with the thread
    standin::CadServer *m_server = nullptr;
    bool m_listening = false;
    QString m_error;
};

} // namespace cad::remote
