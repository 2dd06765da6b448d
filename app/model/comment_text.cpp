#include "app/model/comment_text.h"

#include <algorithm>
#include <map>

#include "editor/search/device_words.h"

namespace rs::shell {

std::string_view commentOfText(const DeviceComments& comments, std::string_view text,
                               size_t firstWord) {
    if (comments.empty()) return {};
    const std::vector<std::string> ws = search::words(text);
    for (size_t i = firstWord; i < ws.size(); ++i) {
        const std::string_view comment = comments.findText(ws[i]);
        if (!comment.empty()) return comment;
    }
    return {};
}

namespace {

std::string firstDevice(std::string_view text, size_t firstWord) {
    const std::vector<std::string> ws = search::words(text);
    for (size_t i = firstWord; i < ws.size(); ++i)
        if (const auto device = readCommentDevice(ws[i])) return device->text();
    return {};
}

}  // namespace

std::string cursorDevice(const Session& s) {
    if (s.view.m_bListMode) {
        const int line = s.view.m_nListCursor;
        if (line < 0 || line >= kListRows) return {};
        return firstDevice(s.app.table->m_Parameter[line], 0);
    }
    const LadderGrid& g = *s.view.grid;
    const int row = g.m_nCursorRow, col = g.m_nCursorCol;
    if (row < 0 || row >= kGridRows || col < 0 || col >= kGridCols) return {};
    const int32_t kind = g.kind(row, col);
    if (kind == Empty || kind == HorizontalLine) return {};
    return firstDevice(g.text(row, col), kind == AppInstruction ? 1 : 0);
}

std::string whereUsedText(const std::vector<search::DevicePlace>& places) {
    std::string out;
    const size_t shown = std::min(places.size(), static_cast<size_t>(kMaxWherePlaces));
    for (size_t i = 0; i < shown; ++i) {
        if (!out.empty()) out += "; ";
        out += search::placeText(places[i]);
    }
    if (places.size() > shown) out += "; ... " + std::to_string(places.size() - shown) + " more";
    return out;
}

std::vector<CommentRow> commentRows(const DeviceComments& comments,
                                    const std::vector<search::DeviceUses>& uses,
                                    const std::vector<std::string>& more) {
    std::map<CommentDevice, CommentRow> rows;
    for (const DeviceComments::Entry& e : comments.entries())
        rows[*readCommentDevice(e.device)] = {e.device, e.comment, {}};
    for (const std::string& text : more)
        if (const auto device = readCommentDevice(text)) rows[*device].device = device->text();
    for (const search::DeviceUses& u : uses) {
        const auto device = readCommentDevice(u.device);
        if (!device) continue;
        CommentRow& row = rows[*device];
        row.device = device->text();
        row.where = whereUsedText(u.places);
    }
    std::vector<CommentRow> out;
    out.reserve(rows.size());
    for (auto& [device, row] : rows) out.push_back(std::move(row));
    return out;
}

}  // namespace rs::shell
