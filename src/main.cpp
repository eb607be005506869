#include "app/CQuorvelApp.h"
#include "app/CommandLine.h"
#include "app/PlatformChoice.h"
#include "toolkit/MessageBox.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    // Read before Qt starts: --help and --version must answer without a display.
    const command_line::Parsed options =
        command_line::Parse(std::vector<std::string>(argv + 1, argv + argc));
    switch (options.action) {
    case command_line::Action::Help:
        std::fputs(command_line::HelpText().c_str(), stdout);
        return 0;
    case command_line::Action::Version:
        std::fputs(command_line::VersionText().c_str(), stdout);
        return 0;
    case command_line::Action::Refuse:
        std::fprintf(stderr, "quorvel: %s\n", options.text.c_str());
        return 2;
    case command_line::Action::Run:
    case command_line::Action::ShowError:
        break;
    }
    platform_choice::PreferXWayland();
    QApplication application(argc, argv);
    if (options.action == command_line::Action::ShowError) {
        QApplication::setApplicationName("Quorvel");
        MessageBox::error(QString::fromLocal8Bit(options.text.c_str()));
        return 0;
    }
    CQuorvelApp quorvel;
    return quorvel.InitInstance();
}
