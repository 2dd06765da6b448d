#include "app/model/project_names.h"

namespace rs::shell {

std::string captionFor(const std::string& title, bool maximized) {
    return maximized ? "Rungsmith - [" + title + "]" : "Rungsmith - " + title;
}

std::string projectShownName(const std::string& fileName) {
    if (fileName.find(".epj") != std::string::npos && fileName.size() >= 4)
        return fileName.substr(0, fileName.size() - 4);
    return fileName;
}

std::string projectLockName(const std::string& fileName) {
    return "rungsmith-" + projectShownName(fileName) + ".lock";
}

std::string saveChangesQuestion(const std::string& title) {
    return "Save changes to " + title + "?";
}

}  // namespace rs::shell
