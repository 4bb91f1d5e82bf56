#pragma once

#include <QSpinBox>

class QLabel;

// A numeric field that always holds an integer within its range. Reading an empty
// or unreadable text gives the minimum; setting a value clamps it to the range.
// valueChanged is raised exactly when the held value changes, by the user or by code.
// While the user types, the field may show text beyond the range; the held value is
// already clamped, and leaving the field shows it.
class TCSpinEdit : public QSpinBox {
    Q_OBJECT
public:
    TCSpinEdit(int minimum, int maximum, int value, QWidget* parent = nullptr);
    // A named spin edit at its place; its caption label is its buddy and names it for
    // screen readers.
    static TCSpinEdit* place(QWidget* parent, const char* name, int minimum, int maximum, int value,
                             QRect geometry, QLabel* caption);

protected:
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;
};
