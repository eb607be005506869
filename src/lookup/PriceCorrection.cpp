#include "lookup/PriceCorrection.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <locale.h>

namespace {

// The program runs under the user's locale (the window toolkit sets it), where strtod may
// expect a decimal comma; the grid always writes a point, so reading uses the C locale.
locale_t CLocale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

PriceCorrection::PriceCorrection(CADODataBase& priceDatabase, ShownCardsTable& shownCards)
    : m_database(priceDatabase), m_shownCards(shownCards)
{
}

float PriceCorrection::ParsePriceText(const std::string& text)
{
    const double wide = strtod_l(text.c_str(), nullptr, CLocale());
    const float value = static_cast<float>(wide);
    return std::isfinite(value) ? value : 0.0f;
}

PriceCorrectionMessage PriceCorrection::MessageFor(const PriceCorrectionOutcome& outcome)
{
    if (outcome.failed) {
        return {"The prices could not be stored; no card has been changed.\n\n" + outcome.error,
                "Error", true};
    }
    if (outcome.updated == 0) {
        return {"No cards selected.", "Warning", false};
    }
    char text[64];
    std::snprintf(text, sizeof text, "%d cards have been updated", outcome.updated);
    return {text, "Warning", false};
}
