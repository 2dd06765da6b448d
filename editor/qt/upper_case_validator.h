#pragma once

#include <QValidator>

namespace rs::qt {

// Turns every typed letter to upper case, as the entry dialogs' edits do.
class UpperCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace rs::qt
