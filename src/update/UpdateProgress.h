#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

/// Where an update stands, for a progress dialog or a terminal.
struct UpdateStatus {
    std::string step;          ///< "Downloading AllPricesToday.json.xz", "Importing prices"
    std::uint64_t done = 0;    ///< bytes of the step so far (for a download)
    std::uint64_t total = 0;   ///< the step's bytes, 0 when unknown
    double fraction = -1.0;    ///< share of the step done, -1 when unknown
    double bytesPerSecond = 0; ///< of a download
    double secondsLeft = -1.0; ///< of the step, -1 when unknown
};

/// Called often while updating; false cancels (the database stays as it was, a download is
/// kept to be resumed).
using UpdateProgressCallback = std::function<bool(const UpdateStatus& status)>;

/// Turns bytes received into speed and time left, and hands the status on.
class UpdateProgress {
public:
    explicit UpdateProgress(UpdateProgressCallback callback) : m_callback(std::move(callback)) {}

    /// A new step begins.
    bool Step(const std::string& name);
    /// Bytes of a download; false when cancelled.
    bool Bytes(std::uint64_t done, std::uint64_t total);
    /// Share of a step without bytes (unpacking, importing); false when cancelled.
    bool Share(double fraction);
    bool Cancelled() const { return m_cancelled; }

private:
    bool Report();

    UpdateProgressCallback m_callback;
    UpdateStatus m_status;
    std::chrono::steady_clock::time_point m_started;
    std::uint64_t m_firstBytes = 0;
    bool m_haveFirst = false;
    bool m_cancelled = false;
};
