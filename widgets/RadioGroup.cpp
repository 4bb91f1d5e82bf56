#include "widgets/RadioGroup.h"

#include <QGridLayout>
#include <QRadioButton>

TRadioGroup::TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent)
    : QGroupBox(caption, parent), m_layout(new QGridLayout(this)), m_columns(qMax(1, columns))
{
    m_layout->setContentsMargins(6, 2, 4, 2);
    m_layout->setHorizontalSpacing(4);
    m_layout->setVerticalSpacing(0);
    m_group.setExclusive(true);
    for (const QString& text : items)
        appendItem(text);
    // Items carry the group's name and their position; the name is usually set after construction.
    connect(this, &QObject::objectNameChanged, this, [this](const QString& name) {
        for (int i = 0; i < count(); ++i)
            m_buttons[i]->setObjectName(name + QStringLiteral("_%1").arg(i));
    });
    connect(&m_group, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && id != m_index) {
            m_index = id;
            emit itemIndexChanged(id);
        }
    });
}

int TRadioGroup::ItemIndex() const { return m_index; }

void TRadioGroup::setItemIndex(int index)
{
    if (index < -1 || index >= count() || index == m_index)
        return;
    if (index == -1) {
        m_group.setExclusive(false);
        m_buttons[m_index]->setChecked(false);
        m_group.setExclusive(true);
        m_index = -1;
        emit itemIndexChanged(-1);
        return;
    }
    m_buttons[index]->setChecked(true);
}

QString TRadioGroup::itemText(int index) const
{
    return index >= 0 && index < count() ? m_buttons[index]->text() : QString();
}

QStringList TRadioGroup::items() const
{
    QStringList list;
    for (auto* b : m_buttons)
        list << b->text();
    return list;
}

QRadioButton* TRadioGroup::button(int index) const
{
    return index >= 0 && index < count() ? m_buttons[index] : nullptr;
}

void TRadioGroup::appendItem(const QString& text)
{
    auto* b = new QRadioButton(text, this);
    b->setObjectName(objectName() + QStringLiteral("_%1").arg(m_buttons.size()));
    m_group.addButton(b, int(m_buttons.size()));
    m_buttons.append(b);
    arrange();
}

void TRadioGroup::removeLastItem()
{
    if (m_buttons.isEmpty())
        return;
    QRadioButton* b = m_buttons.takeLast();
    const bool wasSelected = m_index == int(m_buttons.size());
    m_group.removeButton(b);
    delete b;
    arrange();
    if (wasSelected) {
        m_index = -1;
        emit itemIndexChanged(-1);
    }
}

void TRadioGroup::arrange()
{
    // Column-major: the first rows-per-column items fill column 0, and so on.
    const int n = int(m_buttons.size());
    const int perColumn = qMax(1, (n + m_columns - 1) / m_columns);
    for (int i = 0; i < n; ++i) {
        m_layout->removeWidget(m_buttons[i]);
        m_layout->addWidget(m_buttons[i], i % perColumn, i / perColumn);
    }
}
