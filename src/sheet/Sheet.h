#pragma once

#include "courseware/CopyFile.h"
#include "courseware/LayoutLines.h"
#include "courseware/ParsedUnit.h"
#include "courseware/UnitChoice.h"
#include "courseware/UnitReader.h"
#include "platform/FileStamp.h"
#include "sheet/Composition.h"
#include "sheet/Paper.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <array>

namespace zendra {

// The face question text is drawn in when the font block names none.
inline const QString kDefaultDrawingFace = QStringLiteral("ＭＳ 明朝");

// Who the sheet came from, known to the caller that opened it.
struct SheetSource
{
    UnitChoice choice;
    UnitTitles titles;
    QString fileName;   // master file or copy file; a save as a copy file moves it there
    int unitNumber = 0; // 0 for a copy
    QString windowKey;
    QString unitId;
    bool fromCopy = false; // as opened: sets titleGenerated, and is not kept up to date
};

// The layout a sheet's value, font and answer-box blocks set, as the teacher changes them.
struct SheetSettings
{
    PaperRecord page;
    int lineSpacing = 30;
    int characterSize = 14;
    int leftMargin = 5;
    int rightMargin = 5;
    int startNumber = 1;
    int options = 7;
    QString drawingFace = kDefaultDrawingFace;
    bool drawingFaceIsDefault = true; // written back as "0", so it follows the setting
    // Font block lines 2..6 (face and styles), kept only to be written back.
    QStringList fontStyleLines = DefaultFontLines().mid(1, 5);
    QStringList lstKranX = FormKranLines();
};

// One open worksheet without its window: what was read from the unit, the settings the
// teacher changed, the loaded pictures and the last composition.
struct Sheet
{
    SheetSource source; // where it came from and where it is saved
    bool changed = false;
    bool titleGenerated = false;
    bool answersShown = false;
    bool printsLearnerName = false; // the name line starts with the learner's name
    // The master file and the copy file as this sheet last read or wrote them: a save over
    // one that another program or person changed since then asks first.
    FileStamp masterStamp;
    FileStamp copyStamp;

    SheetSettings settings;

    UnitContent content; // header texts, question lines, figures, pass-through blocks
    QString lastComposedTitle;

    QList<QImage> questionPictures; // one per figure triple, null when not loaded
    QList<QImage> answerPictures;
    QImage classFlag; // null when the program folder has none

    // What the last composition returned (ComposeSheet), kept for the windows that work on
    // the page afterwards and for the next composition, which starts from it.
    Composition composed;

    // A new sheet from a parsed unit. `answersShown` is the main window's answer display:
    // the value block's own line 2 is not used. `defaultFace` is the face the font block's
    // "0" stands for.
    static Sheet fromParsedUnit(const ParsedUnit& unit, const SheetSource& source,
                                bool answersShown,
                                const QString& defaultFace = kDefaultDrawingFace);

    // Loads the figure pictures from the lesson's figure folder (GraphFolder()); a missing
    // file is reported and its figure stays empty.
    void loadFigures(const QString& graphFolder);
    // Loads "classFlag.bmp" from the program folder; no flag when there is none.
    void loadClassFlag(const QString& programFolder);

    // The answer-box lines by name; a line that is missing or not a number reads as 0.
    KranLines kran() const { return KranLines(settings.lstKranX); }
    EditKranLines editKran() { return EditKranLines(settings.lstKranX); }

    // The sheet as the copy-file writer takes it.
    CopySheet toCopySheet() const;
};

} // namespace zendra
