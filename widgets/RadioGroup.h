#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class QGridLayout;
class QRadioButton;

// A captioned group of mutually exclusive radio buttons laid out in columns,
// filled column by column. ItemIndex is the selected item's position, -1 for none.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent = nullptr);

    int ItemIndex() const;
    void setItemIndex(int index);
    int count() const { return int(m_buttons.size()); }
    QString itemText(int index) const;
    QStringList items() const;
    void appendItem(const QString& text);
    void removeLastItem();
    QRadioButton* button(int index) const;

signals:
    // Raised whenever the selected item changes, by the user or by code.
    void itemIndexChanged(int index);

private:
    void arrange();

    QGridLayout* m_layout;
    QButtonGroup m_group;
    QList<QRadioButton*> m_buttons;
    int m_columns;
    int m_index = -1;
};
