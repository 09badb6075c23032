#pragma once
#include <QValidator>

// Upper-case input for code boxes: whatever is typed is turned into capitals.
class UpperCaseValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
    void fixup(QString& input) const override { input = input.toUpper(); }
};
