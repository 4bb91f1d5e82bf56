#include "widgets/SpinEdit.h"

#include <QLabel>

#include <algorithm>

TCSpinEdit::TCSpinEdit(int minimum, int maximum, int value, QWidget* parent) : QSpinBox(parent)
{
    setRange(minimum, maximum);
    setValue(value);
    setKeyboardTracking(true);
}

TCSpinEdit* TCSpinEdit::place(QWidget* parent, const char* name, int minimum, int maximum, int value,
                              QRect geometry, QLabel* caption)
{
    auto* spin = new TCSpinEdit(minimum, maximum, value, parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setGeometry(geometry);
    caption->setBuddy(spin);
    spin->setAccessibleName(caption->text());
    return spin;
}

int TCSpinEdit::valueFromText(const QString& text) const
{
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong v = t.toLongLong(&ok, 10);
    if (ok)
        return int(std::clamp<qlonglong>(v, minimum(), maximum()));
    // A digit string too long for 64 bits is beyond any range; anything else reads as the minimum.
    const bool negative = t.startsWith(u'-');
    const QStringView digits = QStringView(t).mid(negative ? 1 : 0);
    const bool allDigits = !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) {
        return c >= u'0' && c <= u'9';
    });
    if (allDigits)
        return negative ? minimum() : maximum();
    return minimum();
}

// Every digit string is acceptable, so the held value follows the text at every keystroke
// (clamped; an empty text holds the minimum) and a click elsewhere reads what the field shows.
QValidator::State TCSpinEdit::validate(QString& input, int& pos) const
{
    Q_UNUSED(pos);
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input.at(i);
        const bool sign = i == 0 && c == u'-' && minimum() < 0;
        if (!(c >= u'0' && c <= u'9') && !sign)
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

void TCSpinEdit::fixup(QString& input) const
{
    input = QString::number(valueFromText(input));
}
