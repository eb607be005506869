#pragma once

#include <string>

/// Switches the whole process to a German locale (it writes decimal commas) for its lifetime,
/// building one in a scratch folder where the system has none installed, and switches back to
/// the locale it found. Where no German locale can be had, Active() is false and the locale
/// stays as it was.
class GermanLocale {
public:
    GermanLocale();
    ~GermanLocale();
    GermanLocale(const GermanLocale&) = delete;
    GermanLocale& operator=(const GermanLocale&) = delete;

    bool Active() const { return m_active; }
    /// 4.5 as the C library writes it now ("%.1f"): "4,5" while the German locale is active.
    static std::string WrittenNumber();

private:
    std::string m_previous;
    bool m_active = false;
};
