#pragma once

#include "authoring/IndexEditor.h"
#include "authoring/TfrmInputText.h"

#include <QDialog>

#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

namespace zendra {

// The index editor: the lesson title, sections and units of one lesson index, and the whole
// lesson as a tree. OK saves the index when it was edited; saved() then tells the caller
// that the chooser must reload. The decisions are IndexEditor's; this window shows them.
class TfrmEditIndex : public QDialog
{
    Q_OBJECT

public:
    // `lessons` is the program's lesson table; it is refreshed from Main.ind at each showing.
    TfrmEditIndex(const QString& programFolder, LessonTable& lessons, QWidget* parent = nullptr);

    // Whose marks and counts the tree shows; call before exec().
    void setLearner(const QString& name) { editor_.setLearner(name); }
    // Rejected at once, after the message, when Main.ind cannot be read.
    int exec() override;

    IndexEditor& editor() { return editor_; }
    // A lesson index was written during the last showing (OK or the direct edit).
    bool saved() const { return editor_.saved(); }
    TfrmInputText* inputDialog() const { return frmInputText_; }

    // Opens the help window at a topic; "ヘルプ" is disabled while it is not set.
    std::function<void(int)> openHelp;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    bool FormShow();
    void lstELessonClick();
    void lstESectionClick();
    void lstEUnitClick();
    void btnAddClick();
    void btnChangeClick();
    void btnAdd2Click();
    void btnChange2Click();
    void btnExpandClick();
    void btnOkClick();
    void btnCloseClick();
    void btnEditDirectClick();
    void btnHelpClick();

    // Asks for a title; empty optional when cancelled.
    bool askTitle(TfrmInputText::Purpose purpose, const QString& current, QString& title);
    void showEditor();
    void showTree();
    void showExpandState();
    void setHint(const QString& text);

    IndexEditor editor_;
    bool indexExpanded_ = true;
    TfrmInputText* frmInputText_ = nullptr;
    QListWidget* lstELesson_ = nullptr;
    QLineEdit* edtMainTitle_ = nullptr;
    QListWidget* lstESection_ = nullptr;
    QListWidget* lstEUnit_ = nullptr;
    QTreeView* trvSect_ = nullptr;
    QLineEdit* edtIndex_ = nullptr;
    QLineEdit* edtDataFile_ = nullptr;
    QLabel* pnlHint_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnChange_ = nullptr;
    QPushButton* btnAdd2_ = nullptr;
    QPushButton* btnChange2_ = nullptr;
    QPushButton* btnExpand_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnClose_ = nullptr;
    QPushButton* btnEditDirect_ = nullptr;
    QPushButton* btnHelp_ = nullptr;
};

} // namespace zendra
