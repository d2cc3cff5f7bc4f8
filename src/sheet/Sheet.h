#pragma once

#include "courseware/CopyFile.h"
#include "courseware/LayoutLines.h"
#include "courseware/ParsedUnit.h"
#include "courseware/UnitChoice.h"
#include "courseware/UnitReader.h"
#include "platform/FileStamp.h"
#include "sheet/AnswerBoxTable.h"
#include "sheet/NotationRenderer.h"
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

// The start point of every text piece of the last composition, numbered 1..240 in drawing
// order. Pieces past the last slot are drawn but not recorded.
struct PiecePositions
{
    static constexpr int kMaxPieces = 240;

    std::array<QPoint, kMaxPieces + 1> at{};
    int count = 0;

    // Piece i, or (0, 0) for one that was not recorded.
    QPoint operator[](int i) const { return i >= 1 && i <= count ? at[i] : QPoint(); }
    void clear()
    {
        at.fill(QPoint());
        count = 0;
    }
    void add(QPoint p)
    {
        if (count < kMaxPieces)
            at[++count] = p;
    }
};

// The x at which the text before each blank started, numbered 1..80 by blank in drawing
// order; study mode lays a sheet out again from it.
struct PieceStartMemory
{
    static constexpr int kMaxStarts = AnswerBoxTable::kMaxBoxes;

    std::array<int, kMaxStarts + 1> x{};
    int recorded = 0; // how many entries hold a start of the last recording composition
};

// A figure as the last composition placed it, in page coordinates of the screen sheet.
struct PlacedFigure
{
    int number = 0;      // 1..15: the figure picture it occupies
    bool answer = false; // an answer figure shown in place of the question figure
    QRect rect;
};

// Who the sheet came from, known to the caller that opened it.
struct SheetSource
{
    UnitChoice choice;
    UnitTitles titles;
    QString fileName;   // master file or copy file
    int unitNumber = 0; // 0 for a copy
    QString windowKey;
    QString unitId;
    bool fromCopy = false;
};

// One open worksheet without its window: what was read from the unit, the settings the
// teacher changed, the loaded pictures and the records of the last composition.
struct Sheet
{
    UnitChoice choice;
    UnitTitles titles;
    QString fileName;
    int unitNumber = 0;
    QString windowKey;
    QString unitId;
    bool changed = false;
    bool titleGenerated = false;
    bool answersShown = false;
    bool printsLearnerName = false; // the name line starts with the learner's name
    // The master file and the copy file as this sheet last read or wrote them: a save over
    // one that another program or person changed since then asks first.
    FileStamp masterStamp;
    FileStamp copyStamp;

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

    QString title;
    QString school;
    QString nameLine;
    QString lastComposedTitle;
    QStringList questions;
    QStringList softKeys;
    QStringList answerGroups;
    QStringList questionFigures; // triples: file, left, top
    QStringList answerFigures;
    QStringList lstKranX = FormKranLines();

    QList<QImage> questionPictures; // one per figure triple, null when not loaded
    QList<QImage> answerPictures;
    QImage classFlag; // null when the program folder has none

    // Records of the last composition.
    AnswerBoxTable boxes;
    PiecePositions piecePositions;
    PieceStartMemory pieceStarts;
    QStringList lstKai;
    // Where the last screen composition started each question line, by line number from 1
    // (entry 0 unused); (0, 0) for a line it did not draw. The question editor places new
    // figures beside these.
    QList<QPoint> lineStarts;
    // Where it ended them: the right-most x of a line's text, answers, alternatives and
    // boxes; 0 for a line it did not draw.
    QList<int> lineEnds;
    QPoint scorePosition;
    QPoint classFlagPosition{35, 31}; // page coordinates; screen compositions move it
    QList<PlacedFigure> figures;
    NotationRenderer renderer; // its units stay those of the last composition

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
    KranLines kran() const { return KranLines(lstKranX); }
    EditKranLines editKran() { return EditKranLines(lstKranX); }

    // The sheet as the copy-file writer takes it.
    CopySheet toCopySheet() const;
};

} // namespace zendra
