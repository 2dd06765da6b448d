#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The cell model of the list report: beside each cell's display text the
// list keeps a descriptor, one line of comma-separated fields, that says how
// the cell is drawn and how it answers a click.
namespace rs::online {

enum class CellKind { Text, CheckBox, Background };

// A descriptor read: the kind from field 1 (decimal; missing or not a number
// counts as 0). A text cell with exactly three fields takes its bold flag from
// field 2 ("0" normal, anything else bold) and its colour (red + 256 green +
// 65536 blue) from field 3; otherwise it is normal weight in the window-text
// colour (no colour).
struct CellStyle {
    CellKind kind = CellKind::Text;
    bool bold = false;
    std::optional<uint32_t> colour;
};

// The fields of a descriptor; a field that starts with a double quote runs to
// its closing quote, commas included, and a doubled quote inside it stands for
// one quote.
std::vector<std::string> descriptorFields(std::string_view descriptor);
CellStyle parseDescriptor(std::string_view descriptor);

// "0", "1" for bold or "0", and the colour in decimal: bold red is "0,1,255".
std::string textDescriptor(bool bold, uint32_t colour);

// A check-box cell is checked when its display text reads as a non-zero
// decimal integer; a click sets "1" to "0" and anything else to "1".
bool isChecked(std::string_view text);
std::string toggledCheckText(std::string_view text);

// A display text shortened to a cell: whole when it is empty or its width plus
// 4 fits; otherwise characters are taken off its end, never below one, until
// the rest plus "..." plus 4 fits, and the rest is followed by "...".
std::string fittedText(std::string_view text, int cellWidth,
                       const std::function<int(std::string_view)>& widthOf);

// The width of a column that shows its texts whole: the width its layout
// asks for, at least its heading plus 15 and its widest text plus the
// margins fittedText keeps; a width the user dragged the column to stays.
int columnWidth(int layoutWidth, int headingWidth, int widestText, std::optional<int> userWidth);

// The check box of a cell: a square whose side is the cell height minus 1,
// at the cell's top, centred across the cell.
struct CheckBoxSquare {
    int left = 0;
    int top = 0;
    int side = 0;
};
CheckBoxSquare checkBoxSquare(int cellLeft, int cellTop, int cellWidth, int cellHeight);

// The check mark as vertical strokes of 3 pixels: from (x, y) to (x, y + 3).
struct Stroke {
    int x = 0;
    int y = 0;
};
std::vector<Stroke> checkMarkStrokes(const CheckBoxSquare& box);

// Rows of descriptors, row r belonging to line r of the list, cell c to
// column c.
class CellModel {
  public:
    // Sets cell (r, c): refused (false) when r is past the last row plus one,
    // when c > 0 is past the row's cells plus one, or when c > 0 names a row
    // not there yet. Cell 0 of row r makes a new row at r (the list inserts a
    // line there), appended when r is the row count; another cell appends to
    // its row or replaces the descriptor there.
    bool setCell(size_t r, size_t c, std::string descriptor);
    // Removes row r; rows after it move up. False when r is no row.
    bool deleteRow(size_t r);
    void clear() { m_rows.clear(); }

    size_t rows() const { return m_rows.size(); }
    size_t cells(size_t r) const { return r < m_rows.size() ? m_rows[r].size() : 0; }
    // The descriptor of cell (r, c), nothing when the model has no such cell.
    const std::string* descriptor(size_t r, size_t c) const;

  private:
    std::vector<std::vector<std::string>> m_rows;
};

}  // namespace rs::online
