#include "tests/support/ScriptedPrompts.h"

#include <QtGlobal>

QString ScriptedPrompts::openFileName(const FileDialogRequest& request)
{
    fileRequests << request;
    return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
}

QString ScriptedPrompts::saveFileName(const FileDialogRequest& request)
{
    fileRequests << request;
    return saveAnswers.isEmpty() ? QString() : saveAnswers.takeFirst();
}

int ScriptedPrompts::editTime(ClockTime& time)
{
    // The dialog's spin edits hold their values within their ranges.
    time.minutes = qBound(0, time.minutes, 9999);
    time.seconds = qBound(0, time.seconds, 59);
    time.milliseconds = qBound(0, time.milliseconds, 999);
    timePresets << time;
    const int result = timeResults.isEmpty() ? 2 : timeResults.takeFirst();
    if (result == 1 && !timeAnswers.isEmpty())
        time = timeAnswers.takeFirst();
    return result;
}

void ScriptedPrompts::clear()
{
    errors.clear();
    exceptions.clear();
    fileRequests.clear();
}
