#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace zendra {

// The whole text of a master file or lesson index, edited directly. The caller saves the
// lines itself after OK.
class TfrmEditSource : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmEditSource(QWidget* parent = nullptr);

    // The file shown in the caption, the help topic of "ヘルプ" (710 for a lesson index,
    // 720 for a master file) and the text to edit.
    void setSource(const QString& path, int helpContext, const QStringList& lines);
    QStringList lines() const;
    QString path() const { return path_; }

    // Opens the help window at a topic; "ヘルプ" is disabled while it is not set.
    std::function<void(int)> openHelp;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnHelpClick();

    QString path_;
    int helpContext_ = 0;
    QPlainTextEdit* memEditBuffer_ = nullptr;
    QPushButton* btnHelp_ = nullptr;
};

} // namespace zendra
