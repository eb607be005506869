// Start-up to a visible main window: both databases opened, the main window built (catalogue
// loaded, filters read, lookup prepared, menus, tray, grid, secondary windows) and shown until
// the window system has exposed it. On the sample price database and on 100,000 synthetic
// cards.

#include "app/CQuorvelDlg.h"
#include "data/CADODataBase.h"
#include "data/DatabaseSchema.h"
#include "data/SampleCatalogue.h"
#include "toolkit/AppSettings.h"
#include "toolkit/FakeClipboardViewer.h"
#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

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

void StartUp(benchmark::State& state, std::size_t syntheticCards)
{
    WorkingDirectory directory(syntheticCards);
    FakeClipboardViewer clipboard;
    std::size_t cards = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        CADODataBase price;
        CADODataBase collection;
        price.Open("Data Source=" + directory.Path("mtgo.mdb") + ";");
        collection.Open("Data Source=" + directory.Path("collection.mdb") + ";");
        auto window = std::make_unique<CQuorvelDlg>(price, collection, clipboard);
        window->show();
        while (!window->windowHandle() || !window->windowHandle()->isExposed())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        cards = window->Catalogue().Cards().size();
        window.reset();
        QCoreApplication::processEvents();
    }
    state.counters["cards"] = static_cast<double>(cards);
}

void BM_StartUpSample(benchmark::State& state)
{
    StartUp(state, 0);
}
void BM_StartUpSynthetic100k(benchmark::State& state)
{
    StartUp(state, 100000);
}

BENCHMARK(BM_StartUpSample)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_StartUpSynthetic100k)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

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
