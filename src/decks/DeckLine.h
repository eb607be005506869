#pragma once

#include <cstdint>
#include <string>
#include <vector>

/// One card line of a deck or collection file, as the file gives it.
struct DeckLine {
    int line = 0;              ///< 1-based line of the file it came from
    std::int32_t quantity = 0; ///< 1 to kMaxDeckQuantity
    std::string name;          ///< UTF-8, trimmed
    bool sideboard = false;
    std::int64_t catId = 0; ///< the game's catalogue id of this version; 0 when not given
    std::string setCode;    ///< upper case ("M10"); empty when not given
    std::string number;     ///< collector number as given; empty when not given
    bool foil = false;      ///< a collection row's "Premium" version
};

/// A line that could not be read, with why.
struct DeckProblem {
    int line = 0;
    std::string text;
};

/// What a reader made of a file. `error` refuses the whole file (nothing is used then);
/// `problems` are lines left out; `notes` tell how the text was read (an encoding guessed).
struct DeckFile {
    std::vector<DeckLine> lines;
    std::vector<DeckProblem> problems;
    std::vector<std::string> notes;
    std::string error;

    bool Failed() const { return !error.empty(); }
};

/// The most copies one line may give: more is a typing slip or a damaged file.
constexpr std::int32_t kMaxDeckQuantity = 100000;

/// "line 12: <text>" for messages and lists.
std::string ProblemText(const DeckProblem& problem);
