#pragma once

#include "sequence/RgbFile.h"

#include <QObject>

class Prompts;
class TForm1;

// The menu commands "RGB-Sequenz laden" and "RGB-Sequenz speichern unter ...": the ".rgb" file
// against the grid, the header controls and the module variant of the main window.
class SequenceFileCommands : public QObject {
    Q_OBJECT
public:
    SequenceFileCommands(TForm1& form, Prompts& prompts);

    // Loads a file chosen in the open dialog: variant first, then the header values, then
    // MaxSteps steps into the grid; the time column and the check follow.
    void RGBSequenzladen1Click();
    // Saves the header controls and always 37 steps of the grid (not the table) to a file
    // chosen in the save dialog. No check runs and nothing confirms the save.
    void RGBSequenzspeichernunter1Click();

    // What saving would write now.
    RgbFileData collect() const;

private:
    void showFileInCaption(const QString& path);
    void apply(const RgbFileData& data);

    TForm1& m_form;
    Prompts& m_prompts;
};
