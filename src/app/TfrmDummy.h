#pragma once

#include <QWidget>

class QPushButton;

namespace zendra {

// The title window: a document window behind all worksheets showing the title picture.
class TfrmDummy : public QWidget
{
    Q_OBJECT

public:
    explicit TfrmDummy(QWidget* parent = nullptr);

    // The picture of the title button; the button takes its size plus a margin.
    void setTitlePicture(const QString& path);
    void showTitleButton(bool visible);

signals:
    void keyPressed(QKeyEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* btnTitle_;
};

} // namespace zendra
