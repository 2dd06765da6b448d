#pragma once

#include <string>
#include <vector>

namespace rs::shell {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

// What a paint draws, in scrolled pixel coordinates: the widget only turns
// these into painter calls, so every position is decided here.
struct Scene {
    struct Line {
        Point from;
        Point to;
        bool operator==(const Line&) const = default;
    };
    enum class Align { Center, LeftMiddle };
    struct Text {
        Rect rect;
        std::string text;
        Align align = Align::Center;
        // A device comment: one line, cut with an ellipsis to its rectangle,
        // drawn apart from the program's own texts.
        bool comment = false;
    };
    // An arc of the ellipse bounded by `bounds`, counter-clockwise from the ray
    // through `from` to the ray through `to`.
    struct Arc {
        Rect bounds;
        Point from;
        Point to;
    };

    std::vector<Line> lines;
    std::vector<Text> texts;
    std::vector<Arc> arcs;
    std::vector<Rect> boxes;       // outlines only (cursor, report marks)
    std::vector<Rect> highlights;  // filled in yellow (drag selection)

    bool hasLine(Point a, Point b) const;
    const Text* findText(const std::string& text) const;
};

}  // namespace rs::shell
