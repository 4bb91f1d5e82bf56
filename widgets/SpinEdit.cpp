#include "widgets/SpinEdit.h"

TCSpinEdit::TCSpinEdit(int minimum, int maximum, int value, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setValue(value);
    setKeyboardTracking(true);
}

int TCSpinEdit::valueFromText(const QString& text) const
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok)
        return minimum();
    return qBound(minimum(), v, maximum());
}

QValidator::State TCSpinEdit::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    if (input.isEmpty())
        return QValidator::Intermediate;
    for (const QChar c : input)
        if (!c.isDigit() && !(c == u'-' && minimum() < 0))
            return QValidator::Invalid;
    bool ok = false;
    const int v = input.toInt(&ok);
    if (!ok)
        return QValidator::Intermediate;
    if (v > maximum())
        return QValidator::Intermediate;
    return v < minimum() ? QValidator::Intermediate : QValidator::Acceptable;
}

void TCSpinEdit::fixup(QString& input) const
{
    input = QString::number(valueFromText(input));
}
