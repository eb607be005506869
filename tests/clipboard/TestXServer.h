#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <xcb/xcb.h>

#include <memory>

// A private Xvfb for tests that need a real X clipboard, on a display number above those the
// end-to-end sessions take. Tests skip when Xvfb is missing.
class TestXServer {
public:
    static bool available() { return !QStandardPaths::findExecutable("Xvfb").isEmpty(); }

    bool start()
    {
        for (int number = 400 + int(QCoreApplication::applicationPid() % 400); number < 1000;
             ++number) {
            if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
                QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                continue;
            m_display = ":" + QByteArray::number(number);
            m_process = std::make_unique<QProcess>();
            m_process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
            m_process->start("Xvfb", {QString::fromLatin1(m_display), "-noreset", "-nolisten",
                                      "tcp", "-screen", "0", "1024x768x24"});
            if (!m_process->waitForStarted(5000))
                return false;
            for (int attempt = 0; attempt < 100; ++attempt) {
                xcb_connection_t* probe = xcb_connect(m_display.constData(), nullptr);
                const bool up = !xcb_connection_has_error(probe);
                xcb_disconnect(probe);
                if (up)
                    return true;
                if (m_process->state() != QProcess::Running)
                    break;
                QThread::msleep(50);
            }
            stop();
        }
        return false;
    }

    void stop()
    {
        if (m_process) {
            m_process->terminate();
            if (!m_process->waitForFinished(3000))
                m_process->kill();
            m_process->waitForFinished(3000);
            m_process.reset();
        }
    }

    ~TestXServer() { stop(); }

    QByteArray display() const { return m_display; }

private:
    QByteArray m_display;
    std::unique_ptr<QProcess> m_process;
};
