#include "GermanLocale.h"

#include "TempDir.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

GermanLocale::GermanLocale() : m_previous(std::setlocale(LC_ALL, nullptr))
{
    m_active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    if (m_active) {
        return;
    }
    // Once set, the locale's data is loaded: its folder may go.
    const TempDir dir;
    const std::string folder = dir.Path().string();
    const std::string command =
        "localedef -i de_DE -f UTF-8 '" + folder + "/de_DE.UTF-8' >/dev/null 2>&1";
    if (std::system(command.c_str()) == 0) {
        ::setenv("LOCPATH", folder.c_str(), 1);
        m_active = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
    }
}

GermanLocale::~GermanLocale()
{
    std::setlocale(LC_ALL, m_previous.c_str());
}

std::string GermanLocale::WrittenNumber()
{
    char text[16];
    std::snprintf(text, sizeof text, "%.1f", 4.5);
    return text;
}
