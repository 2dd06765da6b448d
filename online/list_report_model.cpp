#include "online/list_report_model.h"

#include <algorithm>
#include <charconv>

namespace rs::online {

std::vector<std::string> descriptorFields(std::string_view d) {
    std::vector<std::string> fields;
    if (d.empty()) return fields;
    size_t i = 0;
    for (;;) {
        std::string field;
        if (i < d.size() && d[i] == '"') {
            ++i;
            while (i < d.size()) {
                if (d[i] == '"') {
                    if (i + 1 < d.size() && d[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += d[i++];
            }
        }
        while (i < d.size() && d[i] != ',') field += d[i++];
        fields.push_back(std::move(field));
        if (i >= d.size()) break;
        ++i;  // the comma
    }
    return fields;
}

namespace {

long long decimal(std::string_view text) {
    long long v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    return error == std::errc() && end != text.data() ? v : 0;
}

}  // namespace

CellStyle parseDescriptor(std::string_view descriptor) {
    const std::vector<std::string> fields = descriptorFields(descriptor);
    CellStyle style;
    const long long kind = fields.empty() ? 0 : decimal(fields[0]);
    style.kind = kind == 0 ? CellKind::Text : kind == 1 ? CellKind::CheckBox : CellKind::Background;
    if (style.kind == CellKind::Text && fields.size() == 3) {
        style.bold = fields[1] != "0";
        style.colour = static_cast<uint32_t>(decimal(fields[2]));
    }
    return style;
}

std::string textDescriptor(bool bold, uint32_t colour) {
    return std::string("0,") + (bold ? "1" : "0") + "," + std::to_string(colour);
}

bool isChecked(std::string_view text) {
    return decimal(text) != 0;
}

std::string toggledCheckText(std::string_view text) {
    return text == "1" ? "0" : "1";
}

std::string fittedText(std::string_view text, int cellWidth,
                       const std::function<int(std::string_view)>& widthOf) {
    if (text.empty() || widthOf(text) + 4 <= cellWidth) return std::string(text);
    const int dots = widthOf("...");
    size_t keep = text.size();
    while (keep > 1 && widthOf(text.substr(0, keep)) + dots + 4 > cellWidth) --keep;
    return std::string(text.substr(0, keep)) + "...";
}

int columnWidth(int layoutWidth, int headingWidth, int widestText, std::optional<int> userWidth) {
    if (userWidth) return *userWidth;
    constexpr int kHeadingMargin = 15;
    constexpr int kTextMargin = 4 + 2 + 4;  // fittedText's 4, the text's left inset, a gap
    return std::max({layoutWidth, headingWidth + kHeadingMargin, widestText + kTextMargin});
}

CheckBoxSquare checkBoxSquare(int cellLeft, int cellTop, int cellWidth, int cellHeight) {
    const int side = cellHeight - 1;
    return {cellLeft + cellWidth / 2 - side / 2 - 1, cellTop, side};
}

std::vector<Stroke> checkMarkStrokes(const CheckBoxSquare& box) {
    std::vector<Stroke> strokes;
    int x = box.left + 9;
    int y = box.top + 3;
    for (int i = 0; i < 4; ++i) strokes.push_back({x--, y++});
    for (int i = 0; i < 3; ++i) strokes.push_back({x--, y--});
    return strokes;
}

bool CellModel::setCell(size_t r, size_t c, std::string descriptor) {
    if (r > m_rows.size()) return false;
    if (c == 0) {
        m_rows.insert(m_rows.begin() + static_cast<std::ptrdiff_t>(r), {std::move(descriptor)});
        return true;
    }
    if (r == m_rows.size() || c > m_rows[r].size()) return false;
    if (c == m_rows[r].size())
        m_rows[r].push_back(std::move(descriptor));
    else
        m_rows[r][c] = std::move(descriptor);
    return true;
}

bool CellModel::deleteRow(size_t r) {
    if (r >= m_rows.size()) return false;
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(r));
    return true;
}

const std::string* CellModel::descriptor(size_t r, size_t c) const {
    if (r >= m_rows.size() || c >= m_rows[r].size()) return nullptr;
    return &m_rows[r][c];
}

}  // namespace rs::online
