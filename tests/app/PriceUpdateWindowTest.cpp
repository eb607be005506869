#include "app/CQuorvelDlg.h"

#include "../update/UpdateTestSupport.h"
#include "AppTestSupport.h"
#include "MainWindowParts.h"
#include "app/PriceUpdateCommand.h"
#include "update/PriceUpdate.h"

#include <QAction>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSettings>

#include <memory>

namespace {

// File > Update Prices Now and the tray's item, against a local copy of the public layout.
class PriceUpdateWindowTest : public AppFixture {
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        OpenDatabases();
        PublishMtgjson(m_www.Path().string(), "2026-12-01", "5.2.2+20261201",
                       Example("AllPrintings.json"), Example("AllPricesToday.json"));
        m_server = std::make_unique<PriceServer>(m_www.Path().string());
        AppSettings::open()->setValue("Prices/BaseUrl", QString::fromStdString(m_server->Base()));
        qputenv("XDG_CACHE_HOME", m_dir.filePath("cache").toUtf8());
        m_window = std::make_unique<CQuorvelDlg>(m_price, m_collection, m_clipboard);
    }
    void TearDown() override
    {
        m_window.reset();
        qunsetenv("XDG_CACHE_HOME");
        AppFixture::TearDown();
    }
    float Regular(const std::string& name)
    {
        for (const CardRecord& card : m_window->Catalogue().Cards()) {
            if (card.name == name)
                return card.reg_value;
        }
        return -1;
    }
    QString LastBox() const
    {
        return MessageBox::asked().empty() ? QString() : MessageBox::asked().back().text;
    }

    TempDir m_www;
    std::unique_ptr<PriceServer> m_server;
    std::unique_ptr<CQuorvelDlg> m_window;
};

TEST_F(PriceUpdateWindowTest, TheMenuUpdatesAndReloadsTheTrayFindsItCurrent)
{
    m_window->OnCommandName("UpdatePrices");
    EXPECT_EQ(MessageBox::asked().back().caption, MessageBox::kInformation);
    EXPECT_TRUE(LastBox().endsWith("Prices are up to date (MTGJSON 2026-12-01)"))
        << LastBox().toStdString();
    EXPECT_FLOAT_EQ(Regular("Akroma, Angel of Wrath"), 4.07f);

    QAction* trayItem = nullptr;
    for (QAction* action : main_window::TrayMenu(*m_window).actions()) {
        if (action->text() == "&Update Prices Now")
            trayItem = action;
    }
    ASSERT_NE(trayItem, nullptr);
    trayItem->trigger();
    EXPECT_EQ(LastBox(),
              "Fetched Meta.json (unchanged)\nPrices are up to date (MTGJSON 2026-12-01)");
}

TEST_F(PriceUpdateWindowTest, CancelLeavesTheDatabaseAsItWas)
{
    const std::string before = ReadWholeFile(PricePath());
    QObject::connect(&m_window->PriceUpdate(), &PriceUpdateCommand::progressShown,
                     [](QProgressDialog* dialog) { dialog->findChild<QPushButton*>()->click(); });
    m_window->OnCommand(MainCommand::UpdatePrices);
    EXPECT_TRUE(LastBox().contains("Update cancelled")) << LastBox().toStdString();
    EXPECT_EQ(ReadWholeFile(PricePath()), before);
}

TEST(PriceUpdateProgressText, ShowsStepBytesSpeedAndTimeLeft)
{
    UpdateStatus status;
    status.step = "Downloading AllPrintings.json.xz";
    status.done = 12'500'000;
    status.total = 80'000'000;
    status.bytesPerSecond = 2'500'000;
    status.secondsLeft = 27;
    EXPECT_EQ(PriceUpdateCommand::ProgressText(status).toStdString(),
              "Downloading AllPrintings.json.xz...\n12.5 MB of 80.0 MB, 2.5 MB/s\nTime left: 27 s");
}

} // namespace
