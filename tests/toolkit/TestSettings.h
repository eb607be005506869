#pragma once

#include "toolkit/AppSettings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Points the settings store at a fresh file for one test.
class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        AppSettings::setFileForTests(m_dir.filePath("settings.ini"));
    }
    void TearDown() override { AppSettings::setFileForTests(QString()); }

    void store(const QString& key, const QVariant& value)
    {
        auto settings = AppSettings::open();
        settings->setValue(key, value);
        settings->sync();
    }

private:
    QTemporaryDir m_dir;
};
