#pragma once

#include "app/LayoutSettings.h"

#include <QDialog>
#include <QString>

#include <functional>

class QButtonGroup;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zendra {

struct Sheet;

// The answer-box dialog "設定": shape, size and position of the answer boxes and the page
// margins of the active sheet. Every change goes into the sheet at once and redraws it, so
// closing with Esc keeps what was changed.
class TfrmSettei : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmSettei(QWidget* parent = nullptr);

    // Loads the controls from `sheet` without touching it; afterwards every change writes
    // into it and calls `redraw`. `toggleReduced` switches the main window's reduced view
    // and returns its button's new caption; `scroll` scrolls the active sheet (PageUp and
    // PageDown). A null sheet leaves the controls inert.
    void setSheet(Sheet* sheet, std::function<void()> redraw,
                  std::function<QString()> toggleReduced, const QString& reduceCaption,
                  std::function<void()> scroll = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QSpinBox* addSpin(QWidget* parent, const char* name, int minimum, int maximum,
                      LayoutControl control);
    void valueChange(LayoutControl control, int value);
    void shapeClick(int shape);
    void showSizeBoxes(int shape);
    void btnKakudaiClick();
    void btnOkClick();
    // True when the key was one the dialog handles itself.
    bool previewKey(QKeyEvent* event);

    Sheet* sheet_ = nullptr;
    std::function<void()> redraw_;
    std::function<QString()> toggleReduced_;
    std::function<void()> scroll_;
    bool filling_ = false;
    bool tabbing_ = false;

    QButtonGroup* shapes_ = nullptr;
    QRadioButton* radNon_ = nullptr;
    QRadioButton* radShikaku_ = nullptr;
    QRadioButton* radKakko_ = nullptr;
    QRadioButton* radLine_ = nullptr;
    QRadioButton* radKasen_ = nullptr;
    QRadioButton* radRound_ = nullptr;
    QSpinBox* spnKranWX_ = nullptr;
    QSpinBox* spnKranH_ = nullptr;
    QSpinBox* spnKranX_ = nullptr;
    QSpinBox* spnKranY_ = nullptr;
    QSpinBox* spnAnsX_ = nullptr;
    QSpinBox* spnAnsY_ = nullptr;
    QSpinBox* spnLeftM_ = nullptr;
    QSpinBox* spnRightM_ = nullptr;
    QPushButton* btnKakudai_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QList<std::pair<QSpinBox*, LayoutControl>> spins_;
};

} // namespace zendra
