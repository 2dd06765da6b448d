#include "app/model/scene.h"

namespace rs::shell {

bool Scene::hasLine(Point a, Point b) const {
    for (const auto& l : lines)
        if ((l.from == a && l.to == b) || (l.from == b && l.to == a)) return true;
    return false;
}

const Scene::Text* Scene::findText(const std::string& text) const {
    for (const auto& t : texts)
        if (t.text == text) return &t;
    return nullptr;
}

}  // namespace rs::shell
