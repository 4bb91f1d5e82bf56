#include "app/QtPrompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

void QtPrompts::error(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Fehler"), text, QMessageBox::Ok, m_parent);
    box.exec();
}

void QtPrompts::showException(const QString& text)
{
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text, QMessageBox::Ok, m_parent);
    box.exec();
}

namespace {
QString runFileDialog(QWidget* parent, const FileDialogRequest& request, QFileDialog::AcceptMode mode)
{
    QFileDialog dialog(parent, request.title);
    dialog.setAcceptMode(mode);
    // "*.*" would hide names without a dot here; all files means all files.
    QStringList filters = request.filters;
    for (QString& f : filters)
        f.replace(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(request.defaultSuffix);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
} // namespace

QString QtPrompts::openFileName(const FileDialogRequest& request)
{
    return runFileDialog(m_parent, request, QFileDialog::AcceptOpen);
}

QString QtPrompts::saveFileName(const FileDialogRequest& request)
{
    return runFileDialog(m_parent, request, QFileDialog::AcceptSave);
}

int QtPrompts::editTime(ClockTime& time)
{
    return m_timeEditor ? m_timeEditor(time) : 2;
}
