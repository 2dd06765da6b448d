#include "app/model/ladder_scene.h"

#include <algorithm>

#include "app/model/comment_text.h"
#include "core/instruction_set.h"

namespace rs::shell {

namespace {

constexpr const char* kEndMarker = "[ END    ]";
constexpr int kCommentInset = 2;  // pixels between a comment and its cell's sides

struct CellFrame {
    int x0, x1, y0, ym, y1, y2, xa, xb, xm, ya, yb, xl, xr, xs1, xs2;
    CellFrame(const LadderGeometry& g, int r, int c) {
        const int W = g.W, H = g.H;
        x0 = c * W;
        x1 = (c + 1) * W;
        y0 = r * H;
        ym = y0 + H / 2;
        y1 = y0 + H / 3;
        y2 = y0 + H * 2 / 3;
        xa = x0 + W * 2 / 5;
        xb = x0 + W * 3 / 5;
        xm = x0 + W / 2;
        ya = y0 + H * 11 / 24;
        yb = y0 + H * 13 / 24;
        xl = x0 + W * 13 / 30;
        xr = x0 + W * 17 / 30;
        xs1 = x0 + W * 2 / 3;
        xs2 = x0 + W / 3;
    }
};

class Painter {
  public:
    Painter(const LadderSceneInput& in, Scene& s) : in_(in), g_(in.geometry), s_(s) {}

    void line(int x1, int y1, int x2, int y2) { s_.lines.push_back({{x1, y1}, {x2, y2}}); }
    void text(Rect r, const std::string& t, Scene::Align a = Scene::Align::Center) {
        s_.texts.push_back({r, t, a});
    }

    void contactBody(const CellFrame& f) {
        line(f.x0, f.ym, f.xa, f.ym);
        line(f.xa, f.y1, f.xa, f.y2);
        line(f.xb, f.y1, f.xb, f.y2);
        line(f.xb, f.ym, f.x1, f.ym);
    }
    void slash(const CellFrame& f) { line(f.xs1, f.y1, f.xs2, f.y2); }
    void upArrow(const CellFrame& f) {
        line(f.xm, f.y1, f.xm, f.y2);
        line(f.xm, f.y1, f.xl, f.ya);
        line(f.xm, f.y1, f.xr, f.ya);
    }
    void downArrow(const CellFrame& f) {
        line(f.xm, f.y1, f.xm, f.y2);
        line(f.xm, f.y2, f.xl, f.yb);
        line(f.xm, f.y2, f.xr, f.yb);
    }
    void wire(const CellFrame& f) { line(f.x0, f.ym, f.x1, f.ym); }
    void branchWires(const CellFrame& f, int r) {
        const int ymp = (r - 1) * g_.H + g_.H / 2;
        line(f.x0, ymp, f.x0, f.ym);
        line(f.x1, ymp, f.x1, f.ym);
    }
    void deviceText(const CellFrame& f, int r, int c) {
        text({f.x0, f.y0, f.x1, f.y1}, in_.grid.text(r, c));
        commentText({f.x0 + kCommentInset, f.y2, f.x1 - kCommentInset, f.y0 + g_.H}, r, c,
                    Scene::Align::Center);
    }
    // The comment of the cell's device, one line in the given rectangle.
    void commentText(Rect r, int row, int col, Scene::Align a) {
        if (!in_.comments) return;
        const std::string_view comment = commentOfText(*in_.comments, in_.grid.text(row, col));
        if (!comment.empty()) s_.texts.push_back({r, std::string(comment), a, true});
    }

    void coil(const CellFrame& f, int r) {
        const int W = g_.W, H = g_.H;
        const Rect bounds{10 * W, f.y0 + 20, 11 * W + 5, (r + 1) * H - 20};
        s_.arcs.push_back({bounds, {10 * W + 2, f.y0 + 20}, {10 * W + 2, (r + 1) * H - 20}});
        s_.arcs.push_back({bounds, {11 * W + 3, (r + 1) * H - 20}, {11 * W + 3, f.y0 + 20}});
        line(11 * W + 5, f.ym, g_.rightRail(), f.ym);
        text({g_.clientWidth * 101 / 120, f.y0, g_.clientWidth, (r + 1) * H}, in_.grid.text(r, 10),
             Scene::Align::LeftMiddle);
        commentText({g_.clientWidth * 101 / 120, f.y2, g_.clientWidth - kCommentInset, (r + 1) * H},
                    r, 10, Scene::Align::LeftMiddle);
    }

    void instructionBox(const CellFrame& f, int r) {
        const int W = g_.W, H = g_.H;
        const int n = outputOperandCount(in_.grid, r, in_.mode2);
        const int xL = (10 - n) * W;
        line(xL, f.y1, xL, f.y2);
        line(xL, f.y2, xL + W / 9, f.y2);
        line(xL, f.y1, xL + W / 9, f.y1);
        const int xR = 10 * W + W * 11 / 12 + 10;
        const int xRi = 10 * W + W * 29 / 36;
        line(xR, f.y1, xR, f.y2);
        line(xR, f.y2, xRi, f.y2);
        line(xR, f.y1, xRi, f.y1);
        line(xR, f.ym, g_.rightRail(), f.ym);
        text({instructionTextLeft(g_, n), f.y0, g_.clientWidth, (r + 1) * H}, in_.grid.text(r, 10),
             Scene::Align::LeftMiddle);
    }

    void cell(int r, int c) {
        const CellFrame f(g_, r, c);
        const int kind = in_.grid.kind(r, c);
        switch (kind) {
            case OpenContact:
            case CloseContact:
                if (c > 9) break;
                contactBody(f);
                if (kind == CloseContact) slash(f);
                deviceText(f, r, c);
                break;
            case OpenBranch:
            case CloseBranch:
            case RisingPulseBranch:
            case FallingPulseBranch:
                if (r < 1) break;
                contactBody(f);
                if (kind == CloseBranch) slash(f);
                if (kind == RisingPulseBranch) upArrow(f);
                if (kind == FallingPulseBranch) downArrow(f);
                branchWires(f, r);
                deviceText(f, r, c);
                break;
            case Coil:
                if (c == kOutputCol) coil(f, r);
                break;
            case AppInstruction:
                if (c == kOutputCol) instructionBox(f, r);
                break;
            case RisingPulse:
                contactBody(f);
                upArrow(f);
                deviceText(f, r, c);
                break;
            case FallingPulse:
                contactBody(f);
                downArrow(f);
                deviceText(f, r, c);
                break;
            case RisingEdgeMark:
                wire(f);
                upArrow(f);
                deviceText(f, r, c);
                break;
            case FallingEdgeMark:
                wire(f);
                downArrow(f);
                deviceText(f, r, c);
                break;
            case InvertMark:
                wire(f);
                slash(f);
                deviceText(f, r, c);
                break;
            case HorizontalLine:
                wire(f);
                break;
            default:
                break;
        }
        if (in_.grid.has(r, c, LinkDown)) line(f.x0, f.ym, f.x0, (r + 1) * g_.H + g_.H / 2);
    }

    void cursor() {
        const LadderGrid& grid = in_.grid;
        const int W = g_.W, H = g_.H;
        int r = grid.m_nCursorRow, c = grid.m_nCursorCol;
        if (c == -1) {
            r = 0;
            c = 1;
        }
        if (r >= grid.m_nLastRow + 2 && grid.m_nCursorCol != -1) return;
        const Rect whole{10 * W, r * H, g_.rightRail(), (r + 1) * H};
        if (grid.kind(r, kOutputCol) == AppInstruction) {
            const int n = outputOperandCount(grid, r, in_.mode2);
            if (c < 10 - n)
                s_.boxes.push_back(g_.cell(r, c));
            else
                s_.boxes.push_back({(10 - n) * W, r * H, g_.rightRail(), (r + 1) * H});
            return;
        }
        s_.boxes.push_back(c < 10 ? g_.cell(r, c) : whole);
    }

    void selection() {
        const CellSelection& sel = in_.selection;
        if (!sel.active) return;
        const int W = g_.W, H = g_.H;
        const int top = std::min(sel.row0, sel.row1), bottom = std::max(sel.row0, sel.row1);
        const int left = std::min(sel.col0, sel.col1), right = std::max(sel.col0, sel.col1);
        s_.highlights.push_back(
            {left * W, top * H, std::min((right + 1) * W, 11 * W), (bottom + 1) * H});
    }

  private:
    const LadderSceneInput& in_;
    const LadderGeometry& g_;
    Scene& s_;
};

}  // namespace

int endRow(const LadderGrid& grid) {
    return std::max({grid.m_nLastRow, grid.m_nDrawnLastRow, grid.m_nListLastRow}) + 1;
}

int outputOperandCount(const LadderGrid& grid, int row, bool mode2) {
    const std::string mnemonic = grid.outputMnemonic(row);
    if (mnemonic.empty()) return 0;
    return std::clamp(classifyInstruction(mnemonic, SelOperandCount, mode2), 0, 5);
}

int instructionTextLeft(const LadderGeometry& g, int n) {
    const int B = g.clientWidth * 101 / 120;
    if (n <= 0) return B;
    if (n == 1) return B - g.W + 30;
    if (n == 2) return B - 2 * g.W + 40;
    return B - (n - 1) * g.W;
}

Scene ladderScene(const LadderSceneInput& in) {
    Scene s;
    const LadderGeometry& g = in.geometry;
    Painter p(in, s);
    p.selection();
    // The rails run at least 20000 pixels down, and on to the bottom of the
    // drawn area in a long ladder.
    const int railEnd = std::max(kScrollAreaSize, in.lastY);
    p.line(g.leftRail(), 0, g.leftRail(), railEnd);
    p.line(g.rightRail(), 0, g.rightRail(), railEnd);

    const int e = endRow(in.grid);
    p.line(g.leftRail(), g.wireY(e), g.rightRail(), g.wireY(e));
    p.text({g.clientWidth * 5 / 6, e * g.H, g.clientWidth, (e + 1) * g.H}, kEndMarker,
           Scene::Align::LeftMiddle);
    p.cursor();
    if (in.mark.active && !in.mark.inList) s.boxes.push_back(g.cell(in.mark.row, in.mark.col));

    if (g.H <= 0 || g.W <= 0) return s;
    // A row draws from the wire height of the row above (branch wires) to the
    // wire height of the row below (vertical wires).
    const int first = std::max(0, in.firstY / g.H - 1);
    const int last = std::min({e, kGridRows - 1, in.lastY / g.H + 1});
    for (int r = first; r <= last; ++r) {
        const int y0 = r * g.H;
        const std::string& step = in.grid.rowStep(r);
        if (!step.empty()) p.text({g.W * 2 / 7, y0 + g.H / 3, g.W * 7 / 5, y0 + g.H * 2 / 3}, step);
        const std::string& label = in.grid.text(r, 0);
        if (!label.empty()) p.text({0, y0 + g.H / 5, g.W * 3 / 5, y0 + g.H * 2 / 5}, label);
        for (int c = 0; c < kGridCols; ++c) p.cell(r, c);
    }
    return s;
}

}  // namespace rs::shell
