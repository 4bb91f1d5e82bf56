#pragma once

#include "widgets/Prompts.h"

#include <QDialog>

class QLabel;
class QPushButton;
class TCSpinEdit;

// The time input dialog "Zeit": minutes, seconds and milliseconds of a step time.
// Built once at start and reused; the grid shows it only through Prompts::editTime.
// Modal results: 1 for "Übernehmen", 2 for "Abbruch", Escape or the close box.
// There is no default button: Enter does not close it.
class TForm2 : public QDialog {
    Q_OBJECT
public:
    static constexpr int Accepted = 1;
    static constexpr int Cancelled = 2;

    explicit TForm2(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    TCSpinEdit* CSE_Min;
    TCSpinEdit* CSE_Sek;
    TCSpinEdit* CSE_MiliSek;
    QPushButton* BB_Uebernehmen;
    QPushButton* BB_Abbruch;

    // Presets the three spin edits (each holds its value within its range), shows the
    // dialog modally in the centre of its parent window and, when it closes with 1,
    // writes the entered values back into `time`. Returns the modal result.
    int editTime(ClockTime& time);

    void BB_UebernehmenClick();
    void BB_AbbruchClick();

public slots:
    // Escape and the close box end the dialog like "Abbruch".
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
};
