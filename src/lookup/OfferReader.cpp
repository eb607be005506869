#include "lookup/OfferReader.h"

#include "lookup/MatchScorer.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {

// A piece of the line: a word (lower case, apostrophes dropped), a number, or a mark.
struct Item {
    enum Kind { Word, Number, Mark } kind;
    std::string text;  // the word, or the mark's character
    bool code = false; // a word written like a set code: "RAV", "M13", "7ED"
    double value = 0.0;
    bool decimal = false;
    bool used = false; // a number read as a quantity
};

constexpr std::array<std::string_view, 9> kCurrencies = {
    "tix", "tx", "ticket", "tickets", "usd", "dollar", "dollars", "bucks", "ticks"};
// Words that may stand between a card's name and its price in a trade line or price-list row.
constexpr std::array<std::string_view, 24> kBetween = {
    "foil",     "foils", "nm",     "mint",   "each", "ea",    "all",  "only",
    "firm",     "obo",   "pay",    "paying", "at",   "for",   "is",   "common",
    "uncommon", "rare",  "mythic", "basic",  "land", "price", "just", "playset"};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

bool IsLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c >= 0x80;
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::vector<Item> Pieces(std::string_view text)
{
    std::vector<Item> items;
    std::size_t i = 0;
    const auto word = [&items](std::string_view raw) {
        std::string lowered;
        bool digit = false;
        bool lower = false;
        for (const char c : raw) {
            digit = digit || IsDigit(c);
            lower = lower || (c >= 'a' && c <= 'z');
            if (c != '\'') {
                lowered.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
            }
        }
        Item item{Item::Word, lowered};
        item.code = raw.size() <= 5 && (digit || (!lower && raw.size() >= 2 && raw.size() <= 4));
        items.push_back(std::move(item));
    };
    while (i < text.size()) {
        const char c = text[i];
        if (IsDigit(c)) {
            std::size_t end = i;
            while (end < text.size() && IsDigit(text[end])) {
                ++end;
            }
            // A decimal point, or a decimal comma followed by one or two digits only.
            std::size_t decimals = 0;
            if (end + 1 < text.size() && (text[end] == '.' || text[end] == ',') &&
                IsDigit(text[end + 1])) {
                std::size_t d = end + 1;
                while (d < text.size() && IsDigit(text[d])) {
                    ++d;
                }
                if (text[end] == '.' || d - end - 1 <= 2) {
                    decimals = d - end;
                }
            }
            std::string number(text.substr(i, end + decimals - i));
            std::replace(number.begin(), number.end(), ',', '.');
            std::size_t after = end + decimals;
            std::size_t letters = after;
            while (letters < text.size() && (IsLetter(static_cast<unsigned char>(text[letters])) ||
                                             IsDigit(text[letters]))) {
                ++letters;
            }
            std::string tail;
            for (std::size_t t = after; t < letters; ++t) {
                tail.push_back(text[t] >= 'A' && text[t] <= 'Z' ? static_cast<char>(text[t] + 32)
                                                                : text[t]);
            }
            if (letters > after && tail != "x" && !OneOf(kCurrencies, tail)) {
                word(text.substr(i, letters - i)); // "7ED", "10th"
                i = letters;
                continue;
            }
            Item item{Item::Number, number};
            item.value = std::strtod(number.c_str(), nullptr);
            item.decimal = decimals > 0;
            items.push_back(std::move(item));
            i = after;
        } else if (IsLetter(static_cast<unsigned char>(c))) {
            std::size_t end = i;
            while (end < text.size() &&
                   (IsLetter(static_cast<unsigned char>(text[end])) || IsDigit(text[end]) ||
                    (text[end] == '\'' && end + 1 < text.size() &&
                     IsLetter(static_cast<unsigned char>(text[end + 1]))))) {
                ++end;
            }
            // "x4": the quantity marker and its number.
            if ((c == 'x' || c == 'X') && end > i + 1 && IsDigit(text[i + 1])) {
                bool digits = true;
                for (std::size_t d = i + 1; d < end; ++d) {
                    digits = digits && IsDigit(text[d]);
                }
                if (digits) {
                    items.push_back(Item{Item::Word, "x"});
                    i += 1;
                    continue;
                }
            }
            word(text.substr(i, end - i));
            i = end;
        } else {
            if (c != ' ' && c != '\t' && c != '\r' && c != '\n' && c != '\'') {
                items.push_back(Item{Item::Mark, std::string(1, c)});
            } else if (c == '\n' || c == '\r') {
                items.push_back(Item{Item::Mark, "\n"});
            }
            ++i;
        }
    }
    return items;
}

bool IsWord(const std::vector<Item>& items, std::size_t at, std::string_view word)
{
    return at < items.size() && items[at].kind == Item::Word && items[at].text == word;
}
bool IsMark(const std::vector<Item>& items, std::size_t at, std::string_view marks)
{
    return at < items.size() && items[at].kind == Item::Mark &&
           marks.find(items[at].text[0]) != std::string_view::npos;
}
bool IsCurrency(const std::vector<Item>& items, std::size_t at)
{
    return at < items.size() &&
           ((items[at].kind == Item::Word && OneOf(kCurrencies, items[at].text)) ||
            IsMark(items, at, "$"));
}

// Where a name stands in the line: the items of its best run of words.
struct Span {
    std::size_t first = 0;
    std::size_t last = 0;
    bool found = false;
};

Span Locate(const std::vector<Item>& items, const std::string& name, const FilterList& filters)
{
    const std::vector<std::string> words = MatchScorer::Words(name);
    std::vector<std::size_t> at; // items that are words
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind == Item::Word) {
            at.push_back(i);
        }
    }
    Span best;
    std::size_t bestLetters = 0;
    for (std::size_t j = 0; j < at.size(); ++j) {
        for (std::size_t n = 0; n < words.size(); ++n) {
            std::size_t length = 0;
            std::size_t letters = 0;
            while (n + length < words.size() && j + length < at.size() &&
                   MatchScorer::StandsFor(words[n + length], items[at[j + length]].text)) {
                letters += words[n + length].size();
                ++length;
            }
            // A short name: a piece of a long name word ("goyf" of "tarmogoyf").
            const std::string& text = items[at[j]].text;
            if (length == 0 && text.size() >= 4 && words[n].size() > text.size() &&
                (words[n].compare(0, text.size(), text) == 0 ||
                 words[n].compare(words[n].size() - text.size(), text.size(), text) == 0)) {
                length = 1;
                letters = text.size();
            }
            if (letters > bestLetters) {
                bestLetters = letters;
                best = Span{at[j], at[j + length - 1], true};
            }
        }
    }
    if (best.found) {
        return best;
    }
    // A word filter's word standing for the name ("wog" for "Wrath of God").
    for (const FilterEntry& filter : filters) {
        if (!filter.word.empty() && MatchScorer::Words(filter.replacement) == words) {
            for (const std::size_t i : at) {
                if (items[i].text == filter.word) {
                    return Span{i, i, true};
                }
            }
        }
    }
    return best;
}

bool IsSetCode(const std::vector<Item>& items, std::size_t at)
{
    return at < items.size() && items[at].kind == Item::Word && items[at].code;
}

// The quantity stated just before a name: "4x", "4 x", "4", "2 MM3", "playset of", a row's
// leading "12,". The number is marked used.
bool QuantityBefore(std::vector<Item>& items, std::size_t first, int& quantity)
{
    std::size_t k = first;
    if (k >= 2 && IsWord(items, k - 1, "of") &&
        (IsWord(items, k - 2, "playset") || IsWord(items, k - 2, "playsets"))) {
        quantity = 4;
        return true;
    }
    if (k >= 1 && IsSetCode(items, k - 1)) {
        --k; // "2 MM3 Kitchen Finks"
    }
    if (k >= 1 && IsWord(items, k - 1, "x")) {
        --k;
    } else if (k >= 2 && IsMark(items, k - 1, ",;|") && items[k - 2].kind == Item::Number &&
               (k == 2 || IsMark(items, k - 3, "\n\""))) {
        --k; // a row's first field
    }
    if (k >= 1 && items[k - 1].kind == Item::Number && !items[k - 1].decimal &&
        !items[k - 1].used && items[k - 1].value >= 1 && items[k - 1].value < 1000 &&
        !IsMark(items, k - 2, "$@+") && !IsCurrency(items, k)) {
        items[k - 1].used = true;
        quantity = static_cast<int>(items[k - 1].value);
        return true;
    }
    return false;
}

// The quantity stated just after a name: "x4", "4x", "playset".
bool QuantityAfter(std::vector<Item>& items, std::size_t last, int& quantity)
{
    std::size_t k = last + 1;
    while (IsSetCode(items, k) || IsWord(items, k, "foil") || IsWord(items, k, "foils")) {
        ++k;
    }
    if (IsWord(items, k, "x") && k + 1 < items.size() && items[k + 1].kind == Item::Number &&
        !items[k + 1].decimal) {
        items[k + 1].used = true;
        quantity = static_cast<int>(items[k + 1].value);
        return true;
    }
    if (k < items.size() && items[k].kind == Item::Number && !items[k].decimal &&
        IsWord(items, k + 1, "x")) {
        items[k].used = true;
        quantity = static_cast<int>(items[k].value);
        return true;
    }
    if (IsWord(items, k, "playset") || IsWord(items, k, "playsets")) {
        quantity = 4;
        return true;
    }
    return false;
}

struct Price {
    double each = 0.0;
    bool perCopyWord = false; // "each", "ea", "all": may cover the names listed before
};

// Reads the number at k as a price, with "N for M" and "for M" read as totals.
bool PriceAt(std::vector<Item>& items, std::size_t k, Offer::Item& card, Price& price)
{
    const Item& number = items[k];
    // "+ 2 tix" adds to a trade, "10 %" is no price, "4 x" counts.
    if (number.used || IsMark(items, k + 1, "%") || (k >= 1 && IsMark(items, k - 1, "+")) ||
        IsWord(items, k + 1, "x")) {
        return false;
    }
    // "4 for 8": four copies for eight.
    if (!number.decimal && IsWord(items, k + 1, "for") && k + 2 < items.size() &&
        items[k + 2].kind == Item::Number && !items[k + 2].used && number.value > 0) {
        card.quantity = static_cast<int>(number.value);
        card.quantityStated = true;
        price.each = items[k + 2].value / number.value;
        items[k].used = items[k + 2].used = true;
        return true;
    }
    const bool afterFor = k >= 1 && IsWord(items, k - 1, "for");
    const bool clear = number.decimal || IsCurrency(items, k + 1) ||
                       (k >= 1 && IsMark(items, k - 1, "$@")) || IsWord(items, k + 1, "each") ||
                       IsWord(items, k + 1, "ea") || afterFor ||
                       (k >= 1 && (IsWord(items, k - 1, "pay") || IsWord(items, k - 1, "paying")));
    if (!clear) {
        // A bare whole number followed by another in the same row counts copies: "Mana
        // Leak;DDF;4;0.15".
        for (std::size_t next = k + 1; next < items.size() && !IsMark(items, next, "\n"); ++next) {
            if (items[next].kind == Item::Number && !items[next].used) {
                if (!card.quantityStated) {
                    card.quantity = static_cast<int>(number.value);
                    card.quantityStated = true;
                }
                items[k].used = true;
                return false;
            }
            if (items[next].kind == Item::Word && !items[next].code &&
                !OneOf(kBetween, items[next].text) && !OneOf(kCurrencies, items[next].text)) {
                break;
            }
        }
    }
    price.each = afterFor && card.quantityStated && card.quantity > 0 ? number.value / card.quantity
                                                                      : number.value;
    std::size_t after = k + 1;
    while (IsCurrency(items, after)) {
        ++after;
    }
    price.perCopyWord = IsWord(items, after, "each") || IsWord(items, after, "ea") ||
                        IsWord(items, after, "apiece") || (k >= 1 && IsWord(items, k - 1, "all")) ||
                        (k >= 2 && IsWord(items, k - 2, "all"));
    items[k].used = true;
    return true;
}

Offer::Side SideOf(const std::vector<Item>& items)
{
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].kind != Item::Word) {
            continue;
        }
        const std::string& w = items[i].text;
        const bool marked = IsMark(items, i + 1, ":>]");
        if (w == "wts" || w == "selling" || w == "sell" || w == "sale" || (w == "h" && marked)) {
            return Offer::Side::Sells;
        }
        if (w == "wtb" || w == "buying" || w == "buy" || w == "lf" || w == "need" ||
            w == "wanted" || w == "paying" || (w == "w" && marked)) {
            return Offer::Side::Buys;
        }
    }
    return Offer::Side::Unknown;
}

} // namespace

Offer ReadOffer(std::string_view text, const std::vector<std::string>& names,
                const FilterList& filters)
{
    std::vector<Item> items = Pieces(text);
    Offer offer;
    offer.side = SideOf(items);
    std::vector<Span> spans;
    for (const std::string& name : names) {
        Offer::Item item;
        item.name = name;
        offer.items.push_back(std::move(item));
        spans.push_back(Locate(items, name, filters));
    }
    // Quantities first, so that a number counting the next card is never read as a price.
    for (std::size_t n = 0; n < spans.size(); ++n) {
        if (spans[n].found) {
            Offer::Item& card = offer.items[n];
            card.quantityStated = QuantityBefore(items, spans[n].first, card.quantity) ||
                                  QuantityAfter(items, spans[n].last, card.quantity);
        }
    }
    // Then prices, in the order the names stand in the line: each reads from the end of its
    // name up to the next name, through set codes, separators and trade words.
    std::vector<std::size_t> order;
    for (std::size_t n = 0; n < spans.size(); ++n) {
        if (spans[n].found) {
            order.push_back(n);
        }
    }
    std::sort(order.begin(), order.end(),
              [&spans](std::size_t a, std::size_t b) { return spans[a].first < spans[b].first; });
    std::vector<std::size_t> unpriced; // listed since the last price
    for (std::size_t o = 0; o < order.size(); ++o) {
        const std::size_t n = order[o];
        Offer::Item& card = offer.items[n];
        const std::size_t end = o + 1 < order.size() ? spans[order[o + 1]].first : items.size();
        Price price;
        bool priced = false;
        for (std::size_t k = spans[n].last + 1; k < end && !priced; ++k) {
            const Item& item = items[k];
            if (item.kind == Item::Number) {
                priced = PriceAt(items, k, card, price);
            } else if (item.kind == Item::Word && !item.code && !OneOf(kBetween, item.text) &&
                       !OneOf(kCurrencies, item.text) && item.text != "x" && item.text != "or") {
                break;
            } else if (IsMark(items, k, "\n") || IsWord(items, k, "or")) {
                break;
            }
        }
        // One card alone: a price stated anywhere after it ("can pay 3 tix").
        if (!priced && order.size() == 1) {
            for (std::size_t k = spans[n].last + 1; k < items.size() && !priced; ++k) {
                if (items[k].kind == Item::Number && !items[k].used &&
                    (IsCurrency(items, k + 1) || IsMark(items, k - 1, "$@") ||
                     IsWord(items, k - 1, "pay") || IsWord(items, k - 1, "paying") ||
                     IsWord(items, k + 1, "each"))) {
                    priced = PriceAt(items, k, card, price);
                }
            }
        }
        if (!priced) {
            unpriced.push_back(n);
            continue;
        }
        card.asked = std::round(price.each * 10000.0) / 10000.0;
        if (price.perCopyWord) {
            for (const std::size_t before : unpriced) {
                offer.items[before].asked = card.asked;
            }
        }
        unpriced.clear();
    }
    return offer;
}
