#pragma once

#include "courseware/ParsedUnit.h"
#include "courseware/QuestionGenerator.h"
#include "courseware/UnitChoice.h"
#include "courseware/UnitWriter.h"
#include "platform/FileStamp.h"
#include "platform/TextFile.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace zendra {

struct Sheet;

// A text command's outcome: the new text and where the caret goes.
struct TextEditResult
{
    bool done = false; // false: nothing was selected and the message was shown
    QString text;
    int caret = 0;
};

// " # " + selection + " # " in place of the selection [start, end) of `text`.
TextEditResult InsertAnswerField(const QString& text, int start, int end);
// "<U>（" + selection + "）</>" in place of the selection.
TextEditResult UnderlineWithParentheses(const QString& text, int start, int end);
// Every line from the second on becomes "(k) " + line + "="; the first is the instruction.
QStringList NumberQuestions(const QStringList& lines);

// The choice list of study mode from the extracted answers: every alternative on a line of
// its own, without lines of full-width digits (`excludeDigits`) and without single marks
// such as "ア" or "Ａ" (`excludeSigns`).
QStringList ChoicesFromAnswers(const QStringList& answers, bool excludeDigits, bool excludeSigns);
// `choices` with every non-empty dummy answer it does not hold yet appended.
QStringList AddDummyChoices(const QStringList& choices, const QStringList& dummies);

struct ChoiceCounters
{
    int characters = 0; // sum over the lines of CP932 bytes div 2
    int lines = 0;
};
ChoiceCounters CountChoices(const QStringList& choices);

// Appends a figure triple for each of `files` to `figureLines`, beside the question line
// that follows the figures already present (`answer` false) or the line before it
// (`answer` true). `anchors` are the start points of the open sheet's question lines by
// line number from 1 (entry 0 unused). A file past the limit is refused with a message.
// Returns how many figures were added.
int InsertFigures(QStringList& figureLines, const QStringList& files, const QList<QPoint>& anchors,
                  bool answer);

// A unit has at most this many similar-question sets ("[[unitNR1" .. "R5").
inline constexpr int kMaxVariants = 5;

// The variant numbers of the similar-question sets of `unit` in the file, in file order.
QList<int> StoredSets(const QStringList& fileLines, int unit);

// Writes `sets` into the lines of a master file as the similar-question sets of `unit`
// ("[[unitNR1" ...): each a whole unit with `blocks` but the set's question lines, with
// SeedLine(seed) after its header. The unit's sets already there go; the new ones take
// the place of the first of them, or follow the unit itself (the end of the file without
// it). Every other line stays as it was.
void WriteSimilarSets(QStringList& fileLines, int unit, const UnitBlocks& blocks, quint64 seed,
                      const QList<GeneratedSet>& sets);

// A pane's text as lines and back: an empty pane has no lines.
QStringList PaneLines(const QString& text);
QString PaneText(const QStringList& lines);

// One unit of a master file split into the question editor's panes, and the writer that
// puts it back into the file.
class QuestionEditor
{
public:
    QStringList ques;    // "<<ques"
    QStringList kgroup;  // "<<kgroup": the choice list
    QStringList dummy;   // "<<dummy"
    QStringList hint;    // "<<hint"
    QStringList qgraph;  // "<<graph" triples
    QStringList agraph;  // "<<AGraph" triples
    QStringList pasteLo; // "<<value", "<<font" and "<<kran" with their keyword and ">>"
    QStringList lstKai;  // answers extracted from `ques`

    QStringList unitLines; // the whole master file
    UnitChoice position;
    bool newUnitMode = false;
    bool unitModified = false;
    QString fileName; // the master file of `position`; empty when there is none

    // Reads the master file of `position` and fills the panes from its unit, or with the
    // new-unit text and the default layout when the file or the unit is missing. When
    // `openSheet` is the sheet of this unit (same choice), its current layout blocks and
    // figure lines take the place of the file's. Returns false when the file exists but cannot be
    // read; the editor then refuses to save over it.
    bool LoadUnitIntoPanes(const QString& programFolder, const LessonTable& lessons,
                           const UnitChoice& position, const Sheet* openSheet);

    // Whether the last load found the unit in the file.
    bool unitFound() const { return unitFound_; }
    // Why the last load could not read the file; empty when it could.
    const QString& loadError() const { return loadError_; }

    // Replaces the unit in `unitLines`, or appends it when the file lacks it.
    void WriteUnitFromPanes();

    // Writes `unitLines` to `fileName`, creating its folder. A failure is shown and leaves
    // `unitModified` set.
    TextFile::Result Save();

    // Saves generated sets as the similar-question sets of the edited unit, with the panes'
    // other blocks, by the rules of Save(). Sets the unit already has are replaced only when
    // the teacher says so. The panes' own edits stay unsaved. True when the sets were saved;
    // false when the teacher kept the old sets or the save failed (after its message).
    bool SaveSimilarSets(quint64 seed, const QList<GeneratedSet>& sets);

    // Checks the question lines and, when they are valid, fills `lstKai` with their
    // answers. Returns CheckQuestionLines' result.
    int ExtractAnswers();

private:
    bool unitFound_ = false;
    QString loadError_; // why `unitLines` is not the file's content
    FileStamp stamp_;   // the master file as `unitLines` was read from it or last saved
};

// The overwrite-save of a worksheet opened from a master: the sheet's unit, with the
// sheet's current layout and figures, goes into its master file in place of the unit there,
// or after the last unit when the file lacks it. Every other line of the file stays as it
// was. A failure is shown and returned.
TextFile::Result SaveSheetToMaster(const QString& programFolder, const LessonTable& lessons,
                                   const Sheet& sheet);

} // namespace zendra
