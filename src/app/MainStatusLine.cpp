#include "app/MainStatusLine.h"

#include "data/CardCatalogue.h"
#include "data/SamplePriceMarks.h"

#include <algorithm>

MainStatusLine::MainStatusLine(QWidget* parent) : QLabel(parent)
{
    setObjectName("statusLine");
    // Tall enough for a line of text whether it holds one now or not.
    setText(QStringLiteral(" "));
    setContentsMargins(6, 2, 6, 2);
    setMinimumHeight(sizeHint().height());
}

void MainStatusLine::Update(const CardCatalogue& catalogue)
{
    const auto& cards = catalogue.Cards();
    const bool samples = !catalogue.HasImportedPrices() &&
                         std::any_of(cards.begin(), cards.end(),
                                     [](const CardRecord& card) { return card.sample_price; });
    setText(samples ? QString::fromLatin1(sample_price_marks::kStatusLine) : QString());
}
