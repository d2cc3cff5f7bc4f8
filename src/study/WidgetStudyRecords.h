#pragma once

#include "learners/TfrmKiroku.h"
#include "study/Judging.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QMap>
#include <QStringList>

class QListWidget;
class QPlainTextEdit;

namespace zendra {

// A message image of the study window: lines of text, the hint, or a face, on white.
class WidgetMessageImage : public QLabel
{
    Q_OBJECT

public:
    WidgetMessageImage(const QString& name, QWidget* parent);

    const QImage& image() const { return image_; }
    // The texts written since line 0 was last written (or the image was blanked).
    const QStringList& lines() const { return lines_; }

    // A white image of the widget's present size.
    void resetImage();
    void blank();
    // Writes text on line `line` (`pitch` pixels apart), in a font small enough to fit;
    // line 0 blanks the image first.
    void writeLine(int line, const QString& text, int points, QColor colour, int pitch = 24);
    // Lines 24 pixels apart at 18 pt; closer and smaller when there are more lines than room.
    void writeFittedLines(const QStringList& lines);
    // "学習のポイント" over the hint lines, wrapped and made smaller until they fit.
    void writeHint(const QStringList& hint);
    void showPicture(const QImage& picture);
    void refresh();

private:
    QImage image_;
    QStringList lines_;
};

// The records panel: the unit's record lines, the learner's name, and the message image
// with the faces.
class WidgetStudyRecords : public QFrame
{
    Q_OBJECT

public:
    explicit WidgetStudyRecords(QWidget* parent);

    QLabel* lblKiroku = nullptr;
    QPlainTextEdit* memKiroku = nullptr;
    WidgetMessageImage* imgMess = nullptr;
    QListWidget* lstRenshu = nullptr;

    // Places its parts `memWidth` wide, the message image from `messageTop`, and gives the
    // message image a white picture of its size.
    void place(int memWidth, int messageTop);
    void showRecords(const QStringList& lines, const QString& title);
    void showRecordList(const RecordList& list);
    // The face shown in the message image, the panel and the image made visible.
    void showFace(Face face);
    // A line of text in the message image, the image made visible.
    void showMessage(const QString& text, int points, QColor colour);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMap<Face, QImage> faces_;
};

} // namespace zendra
