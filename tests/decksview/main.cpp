#include "toolkit/AppSettings.h"
#include "toolkit/FileDialog.h"
#include "toolkit/MessageBox.h"

#include <QApplication>
#include <QDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // Placements go to a private file, and no box or file dialog ever waits for a person.
    AppSettings::setFileForTests(QDir::temp().filePath(
        QStringLiteral("quorvel-decksview-%1.ini").arg(QCoreApplication::applicationPid())));
    MessageBox::setTestMode(true);
    FileDialog::setTestMode(true);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    QFile::remove(QDir::temp().filePath(
        QStringLiteral("quorvel-decksview-%1.ini").arg(QCoreApplication::applicationPid())));
    return result;
}
