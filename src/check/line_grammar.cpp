// What the two forms of the status line may say after their first words.
#include <string>

#include "check/status_reader.h"

namespace {

int addState(Grammar& grammar, bool accepting) {
    grammar.edges.emplace_back();
    grammar.accepting.push_back(accepting);
    return static_cast<int>(grammar.edges.size()) - 1;
}

Grammar idGrammar() {
    Grammar grammar;
    const int start = addState(grammar, false);
    const int inside = addState(grammar, true);
    const int afterSpace = addState(grammar, false);
    for (int c = '!'; c <= '~'; ++c) {
        const auto character = static_cast<unsigned char>(c);
        grammar.edges[start].push_back({character, inside});
        grammar.edges[inside].push_back({character, inside});
        grammar.edges[afterSpace].push_back({character, inside});
    }
    grammar.edges[inside].push_back({' ', afterSpace});
    return grammar;
}

// Appends one piece: any of the alternatives, from every state in ends; ends
// becomes the states where the piece is complete.
void addPiece(Grammar& grammar, std::vector<int>& ends, const std::vector<std::string>& words) {
    std::vector<int> complete;
    for (const std::string& word : words) {
        std::vector<int> states = ends;
        for (unsigned char c : word) {
            // One new state per word position, shared by all states it follows.
            const int next = addState(grammar, false);
            for (int state : states)
                grammar.edges[static_cast<size_t>(state)].push_back({c, next});
            states = {next};
        }
        complete.push_back(states[0]);
    }
    ends = complete;
}

std::vector<std::string> numbers(int low, int high) {
    std::vector<std::string> words;
    for (int n = low; n <= high; ++n)
        words.push_back(std::to_string(n));
    return words;
}

Grammar selectionGrammar() {
    Grammar grammar;
    std::vector<int> ends = {addState(grammar, false)};
    // "Model %d/%d, Animation %d/7 %d/3 %d/12, Texture %d" after "Model ":
    // the catalogue always holds 38 models once the program has started.
    addPiece(grammar, ends, numbers(0, 37));
    addPiece(grammar, ends, {"/38, Animation "});
    addPiece(grammar, ends, numbers(1, 7));
    addPiece(grammar, ends, {"/7 "});
    addPiece(grammar, ends, numbers(1, 3));
    addPiece(grammar, ends, {"/3 "});
    addPiece(grammar, ends, numbers(1, 12));
    addPiece(grammar, ends, {"/12, Texture "});
    addPiece(grammar, ends, numbers(0, 12));
    for (int state : ends)
        grammar.accepting[static_cast<size_t>(state)] = true;
    return grammar;
}

}  // namespace

const Grammar& formGrammar(ReadingKind form) {
    static const Grammar id = idGrammar();
    static const Grammar selection = selectionGrammar();
    return form == ReadingKind::id ? id : selection;
}

const char* formPrefix(ReadingKind form) {
    return form == ReadingKind::id ? "Student ID: " : "Model ";
}
