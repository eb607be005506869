#include "update/UpdateProgress.h"

bool UpdateProgress::Step(const std::string& name)
{
    m_status = UpdateStatus();
    m_status.step = name;
    m_started = std::chrono::steady_clock::now();
    m_haveFirst = false;
    return Report();
}

bool UpdateProgress::Bytes(std::uint64_t done, std::uint64_t total)
{
    const auto now = std::chrono::steady_clock::now();
    if (!m_haveFirst) {
        // A resumed download starts with what was there: the speed counts only what comes now.
        m_haveFirst = true;
        m_firstBytes = done;
        m_started = now;
    }
    m_status.done = done;
    m_status.total = total;
    m_status.fraction = total > 0 ? static_cast<double>(done) / static_cast<double>(total) : -1.0;
    const double seconds = std::chrono::duration<double>(now - m_started).count();
    if (seconds > 0.5 && done > m_firstBytes) {
        m_status.bytesPerSecond = static_cast<double>(done - m_firstBytes) / seconds;
        m_status.secondsLeft = total > done
                                   ? static_cast<double>(total - done) / m_status.bytesPerSecond
                                   : (total > 0 ? 0.0 : -1.0);
    }
    return Report();
}

bool UpdateProgress::Share(double fraction)
{
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    m_status.fraction = fraction;
    if (fraction > 0.02 && seconds > 0.5) {
        m_status.secondsLeft = seconds * (1.0 - fraction) / fraction;
    }
    return Report();
}

bool UpdateProgress::Report()
{
    if (!m_cancelled && m_callback && !m_callback(m_status)) {
        m_cancelled = true;
    }
    return !m_cancelled;
}
