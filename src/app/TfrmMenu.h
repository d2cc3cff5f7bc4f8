#pragma once

#include "app/AppState.h"
#include "app/UnitChooser.h"

#include <QDialog>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

namespace zendra {

class TfrmKiroku;
class TfrmZenTangen;

// The unit chooser: lesson, section, unit and optionally a similar-question set. After
// exec() returns Accepted the state's currentUnit, chosenTitles and variantChosen hold the
// choice. The decisions are UnitChooser's; this window shows them.
class TfrmMenu : public QDialog
{
    Q_OBJECT

public:
    explicit TfrmMenu(AppState& state, QWidget* parent = nullptr);

    // "Open" or "Add"; call before exec().
    void setMode(UnitChooser::Purpose purpose);
    int exec() override;

    UnitChooser& chooser() { return chooser_; }
    // The learner log-on that 記録表示 runs first when nobody is logged on.
    void setLogOn(std::function<void()> logOn) { logOn_ = std::move(logOn); }
    TfrmKiroku* recordsWindow() const { return frmKiroku_; }
    // The all-units window of 全単元表示.
    TfrmZenTangen* allUnitsWindow() const { return frmZenTangen_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void placeWindow();
    void lstLessonClick();
    void lstSectionClick();
    void lstUnitClick();
    void lstRuidaiClick();
    void btnRuidaiClearClick();
    void btnOkClick();
    void btnShowRecordClick();
    void btnZenTangenClick();

    void showChooser();
    void showUnitHeading();
    void showVariantChoice();
    void takeVariantChoice();

    UnitChooser chooser_;
    std::function<void()> logOn_;
    TfrmKiroku* frmKiroku_ = nullptr;
    TfrmZenTangen* frmZenTangen_ = nullptr;
    QLabel* pnlTitle_ = nullptr;
    QLabel* pnlLesson_ = nullptr;
    QLabel* pnlSection_ = nullptr;
    QLabel* pnlUnit_ = nullptr;
    QListWidget* lstLesson_ = nullptr;
    QListWidget* lstSection_ = nullptr;
    QListWidget* lstUnit_ = nullptr;
    QListWidget* lstRuidai_ = nullptr;
    QLabel* lblRuidai_ = nullptr;
    QPushButton* btnRuidaiClear_ = nullptr;
    QPushButton* btnOk_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
    QPushButton* btnZenTangen_ = nullptr;
    QPushButton* btnShowRecord_ = nullptr;
};

} // namespace zendra
