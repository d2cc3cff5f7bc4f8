#pragma once

#include <QCursor>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QWidget>

namespace zendra {

// The study window's memo pad: the learner scribbles with the left button (red, 2 pixels)
// and rubs out with any other (white, 10 pixels); a double click wipes it.
class WidgetMemoPad : public QWidget
{
    Q_OBJECT

public:
    WidgetMemoPad(const QCursor& pen, const QCursor& eraser, QWidget* parent = nullptr);

    // A blank pad with its help lines, at the widget's present size.
    void prepare();
    const QImage& picture() const { return image_; }
    bool drawing() const { return drawing_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void blank();
    void text(int x, int y, int points, const QString& line);
    void lineTo(QPoint to);

    QCursor penCursor_, eraserCursor_;
    QImage image_;
    QPen pen_;
    bool drawing_ = false;
    QPoint last_;
};

} // namespace zendra
