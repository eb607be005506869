#pragma once

#include "support/CardBuilder.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CardRecord.h"
#include "data/DatabaseSchema.h"
#include "data/SampleCatalogue.h"
#include "support/FakeClipboardViewer.h"
#include "toolkit/AppSettings.h"
#include "toolkit/MessageBox.h"
#include "toolkit/TrayIcon.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

/// A few real cards of the sample sets, with known values, for window tests.
inline std::vector<CardRecord> SomeCards()
{
    const DateTime updated(2026, 11, 3, 10, 0, 0);
    return {
        MakeCard(1, "Shock", 0.1, 0.5, 10, 219, 10, 0, updated),
        MakeCard(2, "Counterspell", 0.4, 2.0, 10, 67, 10, 0, updated),
        MakeCard(3, "Wrath of God", 6.5, 30.0, 10, 57, 30, 0, updated),
        MakeCard(4, "Giant Growth", 0.2, 1.0, 10, 248, 10, 0, updated),
        MakeCard(5, "Shock", 0.1, 0.3, 80, 227, 10, 0, updated),
        MakeCard(6, "Kirtar's Wrath", 1.5, 6.0, 50, 28, 30, 0, updated),
        MakeCard(7, "Akroma, Angel of Wrath", 9.0, 40.0, 90, 1, 30, 0, updated),
    };
}

/// A working directory with a small price database and an empty collection database, both
/// connections open, settings in a private file, message boxes answered by the test and a tray
/// that exists.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        AppSettings::setFileForTests(m_dir.filePath("settings.ini"));
        // A returning user: the first start's welcome bar and its recommendation are tested
        // on their own.
        AppSettings::setWelcomeShown();
        MessageBox::setTestMode(true);
        MessageBox::clearAsked();
        TrayIcon::setAvailableForTests(true);
        std::string error;
        ASSERT_TRUE(sample_catalogue::WritePriceDatabase(PricePath(), sample_catalogue::NineSets(),
                                                         SomeCards(), &error))
            << error;
        ASSERT_TRUE(database_schema::CreateCollectionDatabase(CollectionPath(), &error)) << error;
    }
    void TearDown() override
    {
        m_price.Close();
        m_collection.Close();
        MessageBox::setTestMode(false);
        TrayIcon::setAvailableForTests(std::nullopt);
        AppSettings::setFileForTests(QString());
    }

    std::string PricePath() const { return m_dir.filePath("mtgo.mdb").toStdString(); }
    std::string CollectionPath() const { return m_dir.filePath("collection.mdb").toStdString(); }

    void OpenDatabases()
    {
        ASSERT_TRUE(m_price.Open("Data Source=" + PricePath() + ";")) << m_price.GetLastErrorText();
        ASSERT_TRUE(m_collection.Open("Data Source=" + CollectionPath() + ";"))
            << m_collection.GetLastErrorText();
    }

    QTemporaryDir m_dir;
    CADODataBase m_price;
    CADODataBase m_collection;
    FakeClipboardViewer m_clipboard;
};
