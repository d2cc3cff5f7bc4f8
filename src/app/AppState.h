#pragma once

#include "courseware/NameList.h"
#include "courseware/UnitChoice.h"
#include "courseware/UnitReader.h"
#include "learners/RecordGate.h"
#include "sheet/Paper.h"

#include <QSize>
#include <QString>

#include <array>
#include <memory>

namespace zendra {

// The program-wide state, owned by the main window and read by every window.
struct AppState
{
    QString programFolder; // ends with '/'
    QString recordDrive;   // ends with '/'
    QString logOnFolder;   // recordDrive + "Zendra/LogOn"
    QString windowsFolder; // ends with '/'
    bool runningFromCd = false;
    QString schoolName;
    QString learnerName = kSharedLearner;
    bool keyLocked = false;
    // The learners' record files opened by their password since the start.
    std::shared_ptr<RecordGate> recordGate = std::make_shared<RecordGate>();
    QString mainFontName = QStringLiteral("ＭＳ 明朝");
    PaperRecord currentPaper;
    std::array<PaperRecord, 4> paperTable = kPaperTable;
    UnitChoice currentUnit;
    UnitTitles chosenTitles;    // lesson, section and unit titles of the chooser's last OK
    bool variantChosen = false; // the last OK chose a similar-question set
    bool indexChanged = false;
    bool startupDone = false;
    bool paperFixed = false;
    LessonTable lessonTable;
    SectionUnits sectionUnits;
    QSize titleWindowSize;

    // What the start sequence found, for the windows to show.
    QString helpFile = QStringLiteral("ZENDRASK.HLP");
    bool showTipsNextTime = true;
    bool answersShown = false;
    bool printAtPrinterResolution = false;
    QString titlePicture; // empty when "Title.BMP" is missing
};

// The application's title, shown in every caption and message box.
inline const QString kApplicationTitle = QStringLiteral("Zendra++ 算数ドリル１／整数・小数の計算");

} // namespace zendra
