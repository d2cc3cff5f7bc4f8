#include "platform/WidgetServices.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace zendra {

namespace {

QWidget* parentWindow()
{
    return QApplication::activeWindow();
}

Messages::Answer toAnswer(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Yes:
        return Messages::Answer::Yes;
    case QMessageBox::No:
        return Messages::Answer::No;
    case QMessageBox::Cancel:
        return Messages::Answer::Cancel;
    default:
        return Messages::Answer::Ok;
    }
}

} // namespace

void WidgetMessages::show(const QString& text)
{
    QMessageBox::information(parentWindow(), QApplication::applicationDisplayName(), text);
}

Messages::Answer WidgetMessages::askYesNo(const QString& text)
{
    return toAnswer(QMessageBox::question(parentWindow(), QApplication::applicationDisplayName(),
                                          text, QMessageBox::Yes | QMessageBox::No));
}

Messages::Answer WidgetMessages::askDestructive(const QString& text)
{
    // No is both the default button and the Escape answer.
    return toAnswer(QMessageBox::question(parentWindow(), QApplication::applicationDisplayName(),
                                          text, QMessageBox::Yes | QMessageBox::No,
                                          QMessageBox::No));
}

std::optional<int> WidgetMessages::askNumber(const QString& caption, const QString& label,
                                             int value, int minimum, int maximum)
{
    bool ok = false;
    const int number =
        QInputDialog::getInt(parentWindow(), caption, label, value, minimum, maximum, 1, &ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

Messages::Answer WidgetMessages::askYesNoCancel(const QString& text)
{
    return toAnswer(
        QMessageBox::question(parentWindow(), QApplication::applicationDisplayName(), text,
                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
}

QString WidgetFileDialogs::openFileName(const QString& caption, const QString& folder,
                                        const QString& filter)
{
    return QFileDialog::getOpenFileName(parentWindow(), caption, folder, filter);
}

QString WidgetFileDialogs::saveFileName(const QString& caption, const QString& folder,
                                        const QString& filter)
{
    // Overwriting is asked by the program itself, in its own words.
    return QFileDialog::getSaveFileName(parentWindow(), caption, folder, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

} // namespace zendra
