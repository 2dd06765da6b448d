#include "app/model/list_scene.h"

#include <algorithm>
#include <cstdio>

#include "app/model/comment_text.h"
#include "core/list_steps.h"

namespace rs::shell {

void prepareListForDrawing(Session& s) {
    InstructionTable& table = s.table();
    if (s.app.m_bUploaded) {
        store::uploadRebuild(table, s.view.records, s.mode2());
        s.app.m_bUploaded = false;
    }
    if (!table.rowUsed(0)) {
        table.m_Instruction[0] = "END";
        table.m_Parameter[0].clear();
        RecordLists& r = s.view.records;
        r.m_InstructionList.push_back({0, "END"});
        r.m_ParameterList.push_back({0, ""});
        r.m_FunNoList.push_back({0, 0});
        r.m_FunStepList.push_back({0, 1});
    }
}

std::string listLineText(int64_t step, const std::string& mnemonic, const std::string& operand) {
    char number[24];
    std::snprintf(number, sizeof number, "%lld", static_cast<long long>(step));
    return "  " + std::string(number) + "      " + mnemonic + "     " + operand;
}

Rect listLineRect(int line, int clientWidth) {
    return {4, line * kListLineHeight, clientWidth, (line + 1) * kListLineHeight};
}

Rect listCommentRect(int line, int clientWidth) {
    return {clientWidth / 2, line * kListLineHeight, clientWidth, (line + 1) * kListLineHeight};
}

Scene listScene(const ListSceneInput& in) {
    Scene s;
    const InstructionTable& table = *in.session.app.table;
    const ViewState& view = in.session.view;
    const int w = in.clientWidth;

    if (in.selection.active) {
        const int a = std::min(in.selection.line0, in.selection.line1);
        const int b = std::max(in.selection.line0, in.selection.line1);
        s.highlights.push_back({0, a * kListLineHeight, w, (b + 1) * kListLineHeight});
    }
    const int cursor = view.m_nListCursor;
    if (cursor == 0 || (cursor > 0 && table.rowUsed(cursor - 1)))
        s.boxes.push_back(listLineRect(cursor, w));
    if (view.highlight.active && view.highlight.inList)
        s.boxes.push_back(listLineRect(view.highlight.row, w));

    const size_t records = view.records.m_InstructionList.size();
    const std::vector<int64_t> steps = listStepNumbers(table, records);
    const int first = std::max(0, in.firstY / kListLineHeight);
    const int last = std::min(static_cast<int>(steps.size()) - 1, in.lastY / kListLineHeight);
    for (int k = first; k <= last; ++k) {
        s.texts.push_back({listLineRect(k, w),
                           listLineText(steps[k], table.m_Instruction[k], table.m_Parameter[k]),
                           Scene::Align::LeftMiddle});
        if (!in.comments) continue;
        const std::string_view comment = commentOfText(*in.comments, table.m_Parameter[k]);
        if (!comment.empty())
            s.texts.push_back(
                {listCommentRect(k, w), std::string(comment), Scene::Align::LeftMiddle, true});
    }
    return s;
}

}  // namespace rs::shell
