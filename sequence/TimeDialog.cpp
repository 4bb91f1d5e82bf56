#include "sequence/TimeDialog.h"

#include "widgets/Placement.h"
#include "widgets/SpinEdit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text, int x, int y)
{
    QLabel* l = placeLabel(parent, text, x, y);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

TCSpinEdit* spin(QWidget* parent, const char* name, int max, int x, QLabel* caption)
{
    return TCSpinEdit::place(parent, name, 0, max, 0, {x, 24, 56, 25}, caption);
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, QStyle::StandardPixmap glyph,
                    QRect geometry)
{
    auto* b = new QPushButton(parent->style()->standardIcon(glyph), caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geometry);
    // No default button: Enter must not press one.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}
} // namespace

TForm2::TForm2(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Zeit"));
    setModal(true);
    setFont(QFont(QStringLiteral("MS Sans Serif"), 8));
    setBackgroundRole(QPalette::Button);
    setFixedSize(199, 97);

    Label1 = label(this, "Label1", QStringLiteral("Min:"), 8, 8);
    Label2 = label(this, "Label2", QStringLiteral("Sek:"), 72, 8);
    Label3 = label(this, "Label3", QStringLiteral("ms:"), 136, 8);
    CSE_Min = spin(this, "CSE_Min", 9999, 8, Label1);
    CSE_Sek = spin(this, "CSE_Sek", 59, 72, Label2);
    CSE_MiliSek = spin(this, "CSE_MiliSek", 999, 136, Label3);
    BB_Uebernehmen = button(this, "BB_Uebernehmen", QStringLiteral("Übernehmen"), QStyle::SP_DialogApplyButton,
                            {96, 64, 97, 25});
    BB_Abbruch = button(this, "BB_Abbruch", QStringLiteral("Abbruch"), QStyle::SP_DialogCancelButton,
                        {8, 64, 73, 25});

    setTabOrder(CSE_Min, CSE_Sek);
    setTabOrder(CSE_Sek, CSE_MiliSek);
    setTabOrder(CSE_MiliSek, BB_Uebernehmen);
    setTabOrder(BB_Uebernehmen, BB_Abbruch);

    connect(BB_Uebernehmen, &QPushButton::clicked, this, &TForm2::BB_UebernehmenClick);
    connect(BB_Abbruch, &QPushButton::clicked, this, &TForm2::BB_AbbruchClick);
}

int TForm2::editTime(ClockTime& time)
{
    CSE_Min->setValue(time.minutes);
    CSE_Sek->setValue(time.seconds);
    CSE_MiliSek->setValue(time.milliseconds);
    CSE_Min->setFocus(Qt::OtherFocusReason);
    const int result = exec();
    if (result == Accepted) {
        // A value still being typed counts as entered, held within its range.
        for (TCSpinEdit* s : {CSE_Min, CSE_Sek, CSE_MiliSek})
            s->interpretText();
        time = ClockTime{CSE_Min->value(), CSE_Sek->value(), CSE_MiliSek->value()};
    }
    return result;
}

void TForm2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // In the centre of the main window; the frame is known once the dialog is shown.
    if (QWidget* owner = parentWidget()) {
        QRect frame = frameGeometry();
        frame.moveCenter(owner->window()->frameGeometry().center());
        move(frame.topLeft());
    }
}

void TForm2::BB_UebernehmenClick()
{
    done(Accepted);
}

void TForm2::BB_AbbruchClick()
{
    done(Cancelled);
}

void TForm2::reject()
{
    done(Cancelled);
}

void TForm2::keyPressEvent(QKeyEvent* event)
{
    // Enter and Return close nothing; Escape still reaches reject().
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
