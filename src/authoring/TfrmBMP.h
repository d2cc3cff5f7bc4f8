#pragma once

#include <QDialog>
#include <QImage>

class QLabel;

namespace zendra {

// A figure at its full size, with its width and height in pixels. Not modal: the question
// editor stays usable beside it.
class TfrmBMP : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmBMP(QWidget* parent = nullptr);

    // Shows the picture (the question editor's preview) at the top left.
    void showPicture(const QImage& picture);
    QImage picture() const { return picture_; }

private:
    QImage picture_;
    QLabel* Image1_ = nullptr;
    QLabel* lblXW_ = nullptr;
    QLabel* lblYH_ = nullptr;
};

} // namespace zendra
