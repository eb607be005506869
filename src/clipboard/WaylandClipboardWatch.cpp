#include "clipboard/WaylandClipboardWatch.h"

#include <QProcess>
#include <QStandardPaths>
#include <QtGlobal>

#include <csignal>
#include <sys/prctl.h>

namespace {

// wl-paste runs this for every copy with the text on its standard input, and its output
// reaches us: one line per copy, the text in base64 so that any byte survives. The rest of a
// longer text is read and dropped, so that wl-paste never writes into a closed pipe.
const char* const kReportScript =
    "printf 'copy:'; head -c %1 | base64 -w0; cat >/dev/null; echo";
const char* const kLinePrefix = "copy:";
// A line can never be longer than the script writes; anything longer is not ours.
constexpr int kLongestLine = (WaylandClipboardWatch::kReadBytes / 3 + 1) * 4 + 16;

} // namespace

WaylandClipboardWatch::WaylandClipboardWatch(QObject* parent) : QObject(parent) {}

WaylandClipboardWatch::~WaylandClipboardWatch()
{
    if (m_process) {
        m_process->disconnect(this);
        m_process->kill();
        m_process->waitForFinished(1000);
    }
}

bool WaylandClipboardWatch::Possible(const QString& program)
{
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
           !QStandardPaths::findExecutable(program).isEmpty();
}

bool WaylandClipboardWatch::Start(const QString& program)
{
    if (m_process)
        return m_watching;
    m_program = program;
    m_process = new QProcess(this);
    // A program that crashes leaves no watcher behind.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    connect(m_process, &QProcess::readyReadStandardOutput, this, &WaylandClipboardWatch::ReadLines);
    connect(m_process, &QProcess::finished, this, &WaylandClipboardWatch::Finished);
    connect(m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            Finished();
    });
    const QString script = QString::fromLatin1(kReportScript).arg(kReadBytes);
    m_firstReport = true;
    m_sinceStart.start();
    m_watching = true;
    m_process->start(m_program, {QStringLiteral("--type"), QStringLiteral("text"),
                                 QStringLiteral("--watch"), QStringLiteral("sh"),
                                 QStringLiteral("-c"), script});
    return m_watching;
}

void WaylandClipboardWatch::ReadLines()
{
    m_pending += m_process->readAllStandardOutput();
    qsizetype end;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        if (!line.startsWith(kLinePrefix))
            continue;
        const bool atStart = m_firstReport && m_sinceStart.elapsed() < kStartReportMs;
        m_firstReport = false;
        if (atStart)
            continue;
        const QByteArray text = QByteArray::fromBase64(line.mid(qsizetype(qstrlen(kLinePrefix))));
        emit copied(QString::fromUtf8(text));
    }
    if (m_pending.size() > kLongestLine)
        m_pending.clear();
}

void WaylandClipboardWatch::Finished()
{
    if (!m_process)
        return;
    const QString reason = QString::fromLocal8Bit(m_process->readAllStandardError()).trimmed();
    m_process->deleteLater();
    m_process = nullptr;
    m_watching = false;
    m_pending.clear();
    emit stopped(reason.isEmpty() ? QStringLiteral("%1 ended").arg(m_program) : reason);
}
