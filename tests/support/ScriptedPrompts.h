#pragma once

#include "widgets/Prompts.h"

#include <QList>
#include <QStringList>

#include <functional>

// Records every message and answers dialogs from a script, so tests never block.
class ScriptedPrompts : public Prompts {
public:
    QStringList errors;       // "Fehler" boxes, in order
    QStringList exceptions;   // general error display, in order
    QList<FileDialogRequest> fileRequests;
    QStringList openAnswers;  // taken front first; empty list: cancel
    QStringList saveAnswers;
    QList<ClockTime> timePresets;       // what the time dialog was preset with (clamped)
    QList<int> timeResults;             // modal results, front first; empty: 2
    QList<ClockTime> timeAnswers;       // values entered on acceptance
    // Runs while a "Fehler" box would be open, after it is recorded.
    std::function<void(const QString&)> onError;

    void error(const QString& text) override
    {
        errors << text;
        if (onError)
            onError(text);
    }
    void showException(const QString& text) override { exceptions << text; }
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    int editTime(ClockTime& time) override;
    void clear();
};
