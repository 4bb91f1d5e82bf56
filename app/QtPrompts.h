#pragma once

#include "widgets/Prompts.h"

#include <functional>

class QWidget;

// The program's modal interactions as Qt dialogs.
class QtPrompts : public Prompts {
public:
    void setParentWindow(QWidget* window) { m_parent = window; }
    // The time dialog; set once it has been built.
    void setTimeEditor(std::function<int(ClockTime&)> editor) { m_timeEditor = std::move(editor); }

    void error(const QString& text) override;
    void showException(const QString& text) override;
    QString openFileName(const FileDialogRequest& request) override;
    QString saveFileName(const FileDialogRequest& request) override;
    int editTime(ClockTime& time) override;

private:
    QWidget* m_parent = nullptr;
    std::function<int(ClockTime&)> m_timeEditor;
};
