// Start-up to a visible, usable main window: both databases opened, the main window built
// (catalogue loaded, filters read, lookup prepared, menus, tray, grid, secondary windows) and
// shown until the window system has exposed it and its catalogue is ready; the catalogue loaded
// before the window is built, or as the program does it, on a worker thread meanwhile. On the
// sample price database and on 100,000 synthetic cards.

#include "app/CQuorvelDlg.h"
#include "data/CADODataBase.h"
#include "data/DatabaseSchema.h"
#include "data/SampleCatalogue.h"
#include "toolkit/AppSettings.h"
#include "support/FakeClipboardViewer.h"
#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <ctime>
#include <memory>
#include <stdexcept>
#include <string>

namespace {

// A working directory with a price database and an empty collection database.
class WorkingDirectory {
public:
    explicit WorkingDirectory(std::size_t syntheticCards)
    {
        std::vector<CardSet> sets;
        std::vector<CardRecord> cards;
        std::string error;
        if (syntheticCards == 0) {
            if (!sample_catalogue::ReadSetsTsv(QUORVEL_SOURCE_DIR "/data/sets-2003.tsv", sets,
                                               cards, &error))
                throw std::runtime_error(error);
            sample_catalogue::ApplyIllustrativePrices(cards, DateTime(2026, 12, 1));
        } else {
            sets = sample_catalogue::NineSets();
            cards = sample_catalogue::MakeSyntheticCards(syntheticCards, 2003);
        }
        if (!sample_catalogue::WritePriceDatabase(Path("mtgo.mdb"), sets, cards, &error) ||
            !database_schema::CreateCollectionDatabase(Path("collection.mdb"), &error))
            throw std::runtime_error(error);
    }
    std::string Path(const char* name) const { return m_dir.filePath(name).toStdString(); }

private:
    QTemporaryDir m_dir;
};

double ProcessCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

double ThreadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The iteration time runs until the window is exposed and its catalogue ready (searches are
// answered); visible_ms is the time until it was exposed, cpu_ms the processor time of every
// thread of the process (the loading thread's included) until ready, window_ms the processor
// time the window's thread spent between the two (while the window was frozen or waiting).
void StartUp(benchmark::State& state, std::size_t syntheticCards, CQuorvelDlg::CatalogueLoad load)
{
    WorkingDirectory directory(syntheticCards);
    FakeClipboardViewer clipboard;
    std::size_t cards = 0;
    double visibleMs = 0;
    double cpuMs = 0;
    double windowMs = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = ProcessCpuMs();
        CADODataBase price;
        CADODataBase collection;
        price.Open("Data Source=" + directory.Path("mtgo.mdb") + ";");
        collection.Open("Data Source=" + directory.Path("collection.mdb") + ";");
        auto window = std::make_unique<CQuorvelDlg>(price, collection, clipboard, nullptr, load);
        window->show();
        while (!window->windowHandle() || !window->windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        visibleMs += static_cast<double>(clock.nsecsElapsed()) / 1e6;
        const double windowStart = ThreadCpuMs();
        // The loading thread wakes this one when it is done: no polling that would count.
        while (!window->CatalogueReady())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        state.SetIterationTime(static_cast<double>(clock.nsecsElapsed()) / 1e9);
        windowMs += ThreadCpuMs() - windowStart;
        cpuMs += ProcessCpuMs() - cpuStart;
        cards = window->Catalogue().Cards().size();
        window.reset();
        QCoreApplication::processEvents();
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["cards"] = static_cast<double>(cards);
    state.counters["visible_ms"] = visibleMs / runs;
    state.counters["cpu_ms"] = cpuMs / runs;
    state.counters["window_ms"] = windowMs / runs;
}

void BM_StartUpSample(benchmark::State& state)
{
    StartUp(state, 0, CQuorvelDlg::CatalogueLoad::AtOnce);
}
void BM_StartUpSynthetic100k(benchmark::State& state)
{
    StartUp(state, 100000, CQuorvelDlg::CatalogueLoad::AtOnce);
}
// As the program starts: the window first, the catalogue loaded meanwhile.
void BM_StartUpSampleInBackground(benchmark::State& state)
{
    StartUp(state, 0, CQuorvelDlg::CatalogueLoad::InBackground);
}
void BM_StartUpSynthetic100kInBackground(benchmark::State& state)
{
    StartUp(state, 100000, CQuorvelDlg::CatalogueLoad::InBackground);
}

BENCHMARK(BM_StartUpSample)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_StartUpSynthetic100k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_StartUpSampleInBackground)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);
BENCHMARK(BM_StartUpSynthetic100kInBackground)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

} // namespace

int main(int argc, char** argv)
{
    // A display is not needed to measure: without one the window opens off screen.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir settings;
    AppSettings::setFileForTests(settings.filePath("settings.ini"));
    MessageBox::setTestMode(true);
    // The filter file is read from the working directory: use an empty one.
    QDir::setCurrent(settings.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
