#pragma once

#include <functional>
#include <string>

#include "core/session.h"

namespace rs::search {

// What the three find dialogs look for.
enum class FindKind {
    Device,       // a device in any form the line check accepts (x1 finds X001)
    Instruction,  // a mnemonic: of a list line, or what a ladder cell stands for
    Text,         // a piece of a cell text or list line (or of the comment of a device
                  // it names, when comments are given), in any case
};

// The comment of a device word, empty when it has none.
using CommentOf = std::function<std::string(const std::string& word)>;

struct FindQuery {
    FindKind kind = FindKind::Device;
    std::string text;
    bool down = true;  // the direction group: down (reading order) or up
};

struct FindOutcome {
    enum Result {
        Found,     // the cursor moved to the next match
        Wrapped,   // ... found after passing the end (or start) once
        NotFound,  // nothing matches; the cursor stays
        Invalid,   // the text is not a device (device search) or is empty
    };
    Result result = NotFound;
    bool inList = false;
    int row = -1;  // ladder row or list line
    int col = -1;  // ladder column
};

// Searches the presentation the view shows (the ladder or the instruction
// list) from the cursor in the query's direction, wrapping once, and puts the
// cursor on the match. The ladder is read cell by cell in reading order, the
// list line by line.
// A text search with `commentOf` also matches a place whose devices'
// comments hold the text.
FindOutcome findNext(Session& s, const FindQuery& query, const CommentOf& commentOf = {});

// Whether a ladder cell (a list line) matches the query; exposed for the
// cross reference and the tests.
bool cellMatches(const Session& s, int row, int col, const FindQuery& query,
                 const CommentOf& commentOf = {});
bool lineMatches(const Session& s, int line, const FindQuery& query,
                 const CommentOf& commentOf = {});

// The number of list lines the view shows.
int listLines(const Session& s);

}  // namespace rs::search
