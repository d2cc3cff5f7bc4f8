#pragma once

#include "platform/FileDialogs.h"
#include "platform/Messages.h"

class QWidget;

namespace zendra {

// Message boxes with the application's title and an OK, Yes/No or Yes/No/Cancel choice.
class WidgetMessages : public Messages
{
public:
    void show(const QString& text) override;
    Answer askYesNo(const QString& text) override;
    Answer askYesNoCancel(const QString& text) override;
    Answer askDestructive(const QString& text) override;
    std::optional<int> askNumber(const QString& caption, const QString& label, int value,
                                 int minimum, int maximum) override;
};

// The standard open and save dialogs.
class WidgetFileDialogs : public FileDialogs
{
public:
    QString openFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
};

} // namespace zendra
