#include "widgets/FlatButton.h"

TFlatButton::TFlatButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent)
{
    setFocusPolicy(Qt::TabFocus);
}

TFlatButton* TFlatButton::place(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* b = new TFlatButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    return b;
}

void TFlatButton::setFaceColor(const QColor& color)
{
    setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid #808080; }"
                                 "QPushButton:pressed { background-color: %2; }")
                      .arg(color.name(), color.darker(115).name()));
}

TFlatSpeedButton::TFlatSpeedButton(const QString& caption, QWidget* parent) : QToolButton(parent)
{
    setText(caption);
    setCheckable(true);
    setAutoRaise(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}
