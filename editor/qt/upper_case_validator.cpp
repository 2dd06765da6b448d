#include "editor/qt/upper_case_validator.h"

namespace rs::qt {

QValidator::State UpperCaseValidator::validate(QString& input, int&) const {
    input = input.toUpper();
    return Acceptable;
}

}  // namespace rs::qt
