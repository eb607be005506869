#include "app/CQuorvelApp.h"
#include "app/PlatformChoice.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    platform_choice::PreferXWayland();
    QApplication application(argc, argv);
    CQuorvelApp quorvel;
    return quorvel.InitInstance();
}
