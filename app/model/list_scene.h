#pragma once

#include <string>

#include "app/model/ladder_geometry.h"
#include "app/model/scene.h"
#include "core/session.h"
#include "project/device_comments.h"

namespace rs::shell {

// A run of list lines, ends included, in any order.
struct LineSelection {
    bool active = false;
    int line0 = 0;
    int line1 = 0;
};

struct ListSceneInput {
    const Session& session;
    int clientWidth = 0;
    int firstY = 0;  // only lines within these pixel rows are drawn
    int lastY = kScrollAreaSize;
    LineSelection selection;
    // When given, each line shows the comment of its operand's device beside it.
    const DeviceComments* comments = nullptr;
};

// Before the list is drawn: an upload's rows become records, and an empty
// table gets its END line with its four records.
void prepareListForDrawing(Session& s);

// The instruction list as the view draws it: one 25-pixel line per row with
// its step number, mnemonic and operand, and the cursor rectangle.
Scene listScene(const ListSceneInput& in);

// The text of one list line.
std::string listLineText(int64_t step, const std::string& mnemonic, const std::string& operand);

// The rectangle of list line k for a client width.
Rect listLineRect(int line, int clientWidth);
// Where a list line's comment stands: the right half of the line.
Rect listCommentRect(int line, int clientWidth);

}  // namespace rs::shell
