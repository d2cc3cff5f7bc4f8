#pragma once

#include "app/LayoutSettings.h"
#include "sheet/Paper.h"

#include <QFrame>
#include <QList>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace zendra {

struct Sheet;

// The main window's left button panel, and the save panel that opens beside its save
// button. It owns the controls and shows states; the main window wires them to commands.
class WidgetMainPanel : public QFrame
{
    Q_OBJECT

public:
    // The save panel floats over `window`, which holds the panel.
    WidgetMainPanel(QWidget* window, QWidget* parent);

    QPushButton* btnOpenMaster = nullptr;
    QPushButton* btnSave = nullptr;
    QPushButton* btnStartPrint = nullptr;
    QPushButton* btnEdit = nullptr;
    QPushButton* btnTest = nullptr;
    QPushButton* btnKaitou = nullptr;
    QCheckBox* chkBekkai = nullptr;
    QPushButton* btnKran = nullptr;
    QSpinBox* spnGyouSpace = nullptr;
    QSpinBox* spnMojiSize = nullptr;
    QSpinBox* spnGyoukanSub = nullptr; // hidden: the answer-box dialog reaches it
    QList<QRadioButton*> paperButtons; // B5, A4, B4, A3, out of sight like the reduce switch
    QPushButton* btnShukusho = nullptr;
    QPushButton* btnFpClose = nullptr;
    QPushButton* btnScroll = nullptr;
    QPushButton* btnLock = nullptr;
    QPushButton* btnLogOn = nullptr;
    QLineEdit* edtLogOnName = nullptr;
    QPushButton* btnClassRecords = nullptr; // the teacher's class overview
    QPushButton* btnFukushu = nullptr;      // the learner's units due for review
    QFrame* pnlCopy = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnCancel = nullptr;
    QFrame* pnlSave = nullptr;
    QPushButton* btnSaveMaster = nullptr;
    QPushButton* btnSaveCopy = nullptr;

    // The selected paper button, if any.
    std::optional<Paper> checkedPaper() const;
    // Selects a paper button without running its command.
    void selectPaper(Paper paper);
    // A sheet's values in the spins and paper buttons, without running their commands.
    void loadSheet(const Sheet& sheet);

    void showAnswers(bool shown);
    // 主行間 and 文字サイズ change the active sheet: without one they take no input.
    void enableLayoutSpins(bool enabled);
    // A learner sees neither the teacher's controls nor their labels.
    void showLocked(bool locked);
    // The copy buttons; `sheet`, when set, takes the focus from a copy button being disabled.
    void enableCopy(bool enabled, QWidget* sheet = nullptr);
    // The save panel beside the save button; 上書き保存 only for a unit of a master file.
    void openSavePanel(bool masterUnit);
    // Hides it; `sheet`, when set, takes the focus from a control inside.
    void hideSavePanel(QWidget* sheet);

signals:
    // The teacher changed a layout spin (line spacing, character size, sub line spacing).
    void layoutChanged(LayoutControl control, int value);
    // A paper button was clicked: the paper of that width.
    void paperClicked(int width);

private:
    static void keepFocusOn(QWidget* sheet, const QWidget* leaving);

    QWidget* window_;
    QList<QLabel*> layoutLabels_;
};

} // namespace zendra
