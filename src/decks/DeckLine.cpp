#include "decks/DeckLine.h"

std::string ProblemText(const DeckProblem& problem)
{
    return "line " + std::to_string(problem.line) + ": " + problem.text;
}
