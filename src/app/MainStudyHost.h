#pragma once

#include "study/StudyHost.h"

#include <QObject>

namespace zendra {

class TfrmMain;
class TfrmRenshu;

// The main window as the study window sees it. Made once by the main window's start
// sequence; it makes the study window and hands it to the study command.
class MainStudyHost : public QObject, public StudyHost
{
    Q_OBJECT

public:
    explicit MainStudyHost(TfrmMain& main);

    TfrmRenshu* window() const { return frmRenshu_; }

    TfrmPrint* studiedSheet() const override;
    ComposeInputs composeInputs(const Sheet& sheet) const override;
    int characterSize() const override;
    int answerBoxHeight() const override;
    bool altDisplay() const override;
    void setAltDisplay(bool shown) override;
    int mainPanelWidth() const override;
    QRect mainGeometry() const override;
    LearnerPlace learnerPlace(int lesson) const override;
    SectionUnits sectionUnits() const override;
    void refreshChooserCounts() override;
    QStringList hintLines() const override;
    void printStudyPage(const Sheet& sheet, const QImage& page) override;
    void showRecordsViewer(const LearnerPlace& place) override;

private:
    // The learner's records that the study of the sheet writes: false when they are not
    // open and the password was not given.
    bool openRecordsOf(const Sheet& sheet);

    TfrmMain& main_;
    TfrmRenshu* frmRenshu_ = nullptr;
};

} // namespace zendra
