#include "prices/PriceImportSummary.h"

namespace {

std::string Count(std::int64_t value, const char* one, const char* many)
{
    return PriceImportSummary::Thousands(value) + " " + (value == 1 ? one : many);
}

} // namespace

std::string PriceImportSummary::Thousands(std::int64_t value)
{
    std::string digits = std::to_string(value < 0 ? -value : value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
        digits.insert(static_cast<std::size_t>(at), ",");
    }
    return value < 0 ? "-" + digits : digits;
}

bool PriceImportSummary::Changed() const
{
    return pricesUpdated + cardsAdded + setsAdded + historyWritten + codesLearnt + idsLearnt > 0;
}

int PriceImportSummary::ExitStatus() const
{
    switch (outcome) {
    case Outcome::Imported:
    case Outcome::NothingChanged:
        return 0;
    case Outcome::NothingImported:
        return 1;
    case Outcome::Cancelled:
    case Outcome::Failed:
        break;
    }
    return 2;
}

std::string PriceImportSummary::Text() const
{
    if (outcome == Outcome::Failed) {
        return error;
    }
    if (outcome == Outcome::Cancelled) {
        return "The import was cancelled; nothing was changed.";
    }
    std::vector<std::string> parts;
    if (pricesUpdated > 0) {
        parts.push_back(Count(pricesUpdated, "price updated", "prices updated"));
    }
    if (cardsAdded > 0) {
        std::string part = Count(cardsAdded, "card added", "cards added");
        if (setsAdded > 0) {
            part += " in " + Count(setsAdded, "new set", "new sets");
        }
        parts.push_back(std::move(part));
    }
    if (historyWritten > 0 && historyWritten != pricesUpdated + cardsAdded) {
        parts.push_back(Count(historyWritten, "day of price history stored",
                              "days of price history stored"));
    }
    if (codesLearnt > 0) {
        parts.push_back(Count(codesLearnt, "set code learnt", "set codes learnt"));
    }
    if (idsLearnt > 0) {
        parts.push_back(Count(idsLearnt, "catalogue id learnt", "catalogue ids learnt"));
    }
    std::string text;
    if (outcome == Outcome::NothingImported) {
        text = "Nothing imported: the files hold no game price that could be used";
        if (notOnGame > 0) {
            text += " (" + Count(notOnGame, "card", "cards") + " without a game id or price)";
        }
    } else if (parts.empty()) {
        text = "Nothing changed: every price is already as the files give it";
    } else {
        for (const std::string& part : parts) {
            text += (text.empty() ? "" : ", ") + part;
        }
    }
    if (keptManual > 0) {
        text += ", " + Thousands(keptManual) + " kept (set by hand)";
    }
    if (rowsSkipped > 0) {
        text += ", " + Count(rowsSkipped, "row skipped", "rows skipped");
        for (std::size_t i = 0; i < skipReasons.size(); ++i) {
            text += (i == 0 ? ": " : "; ") + skipReasons[i];
        }
        if (static_cast<std::int64_t>(skipReasons.size()) < rowsSkipped) {
            text += "; ...";
        }
    }
    if (!text.ends_with("...")) {
        text += ".";
    }
    if (dryRun) {
        text = "Dry run, nothing written: " + text;
    }
    return text;
}
