#pragma once

#include <QDialog>

class QTextBrowser;

namespace zendra {

// The help viewer: short topics shipped with the program, opened at a topic by its context
// number or at the contents.
class TfrmHelp : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmHelp(QWidget* parent = nullptr);

    // Shows the topic of a context number, or the contents for 0 or an unknown number.
    void showContext(int context);
    // The topic page a context opens (a resource path).
    static QString topicFor(int context);

private:
    QTextBrowser* browser_;
};

} // namespace zendra
