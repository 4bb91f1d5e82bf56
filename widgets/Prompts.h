#pragma once

#include <QString>
#include <QStringList>

// The program's modal interactions. The real implementation shows Qt dialogs;
// tests use a scripted fake, so no test ever waits on a modal dialog.
struct FileDialogRequest {
    QString title;
    QStringList filters;      // e.g. "RGB-Sequenz (*.rgb)", "Alle Dateien (*.*)"
    QString defaultSuffix;    // appended to a name typed without extension
    bool mustExist = false;   // open dialogs: folder and file must exist
};

// Minutes, seconds and milliseconds of the time dialog.
struct ClockTime {
    int minutes = 0;
    int seconds = 0;
    int milliseconds = 0;
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // A message box captioned "Fehler" with one OK button and no icon.
    virtual void error(const QString& text) = 0;
    // The application's general error display (conversion and file errors).
    virtual void showException(const QString& text) = 0;
    // File dialogs; an empty result means the user cancelled.
    virtual QString openFileName(const FileDialogRequest& request) = 0;
    virtual QString saveFileName(const FileDialogRequest& request) = 0;
    // The time dialog: presets `time` (the dialog clamps it to its ranges), shows it
    // modally and, on acceptance, writes the entered values back. Returns the modal
    // result: 1 for "Übernehmen", 2 for "Abbruch", Escape or the close box.
    virtual int editTime(ClockTime& time) = 0;
};
