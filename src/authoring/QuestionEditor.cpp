#include "authoring/QuestionEditor.h"

#include "courseware/CopyFile.h"
#include "courseware/GeneratedSets.h"
#include "courseware/LayoutLines.h"
#include "courseware/ParsedUnit.h"
#include "courseware/QuestionLine.h"
#include "courseware/UnitReader.h"
#include "courseware/UnitWriter.h"
#include "platform/Cp932.h"
#include "platform/FileStamp.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "sheet/Sheet.h"

#include <QDir>
#include <QFileInfo>

namespace zendra {

namespace {

const QString kClose = QStringLiteral(">>");
const QString kUnitEnd = QStringLiteral("]]");

TextEditResult surround(const QString& text, int start, int end, const QString& before,
                        const QString& after)
{
    if (start > end)
        std::swap(start, end);
    start = std::clamp(start, 0, int(text.size()));
    end = std::clamp(end, 0, int(text.size()));
    if (start == end) {
        ShowMessage(QStringLiteral("囲む範囲を選択してください"));
        return {false, text, start};
    }
    const QString wrapped = before + text.mid(start, end - start) + after;
    return {true, text.left(start) + wrapped + text.mid(end), start + int(wrapped.size())};
}

bool onlyFullWidthDigits(const QString& line)
{
    static const QString digits = QStringLiteral("０１２３４５６７８９");
    for (QChar c : line) {
        if (!digits.contains(c))
            return false;
    }
    return true;
}

bool singleMark(const QString& line)
{
    static const QString marks =
        QStringLiteral("あいうえおかきくけこアイウエオカキクケコＡＢＣＤＥＦＨＩＪ");
    return line.size() == 1 && marks.contains(line.at(0));
}

} // namespace

TextEditResult InsertAnswerField(const QString& text, int start, int end)
{
    return surround(text, start, end, QStringLiteral(" # "), QStringLiteral(" # "));
}

TextEditResult UnderlineWithParentheses(const QString& text, int start, int end)
{
    return surround(text, start, end, QStringLiteral("<U>（"), QStringLiteral("）</>"));
}

QStringList NumberQuestions(const QStringList& lines)
{
    QStringList numbered = lines;
    for (qsizetype i = 1; i < numbered.size(); ++i)
        numbered[i] = QStringLiteral("(%1) ").arg(i) + numbered.at(i) + QLatin1Char('=');
    return numbered;
}

QStringList ChoicesFromAnswers(const QStringList& answers, bool excludeDigits, bool excludeSigns)
{
    QStringList choices;
    for (const QString& answer : answers) {
        if (!answer.isEmpty())
            choices << SplitAnswer(answer);
    }
    if (excludeDigits)
        choices.removeIf(onlyFullWidthDigits);
    if (excludeSigns)
        choices.removeIf(singleMark);
    return choices;
}

QStringList AddDummyChoices(const QStringList& choices, const QStringList& dummies)
{
    QStringList result = choices;
    for (const QString& dummy : dummies) {
        if (!dummy.isEmpty() && !result.contains(dummy))
            result << dummy;
    }
    return result;
}

ChoiceCounters CountChoices(const QStringList& choices)
{
    ChoiceCounters counters;
    for (const QString& line : choices)
        counters.characters += cp932::byteLength(line) / 2;
    counters.lines = static_cast<int>(choices.size());
    return counters;
}

int InsertFigures(QStringList& figureLines, const QStringList& files, const QList<QPoint>& anchors,
                  bool answer)
{
    EditFigureTriples figures(figureLines);
    int added = 0;
    for (const QString& file : files) {
        const int present = figures.count();
        if (present + 1 > kMaxFigures) {
            ShowMessage(QStringLiteral("グラフは%1個までです").arg(kMaxFigures));
            continue;
        }
        // A question figure goes beside the line after those already illustrated, an
        // answer figure beside the line before it.
        const int line = answer ? present : present + 1;
        const QPoint anchor = line >= 1 && line < anchors.size() ? anchors.at(line) : QPoint();
        figures.append(file, anchor.x() + 40, anchor.y() + 20);
        ++added;
    }
    return added;
}

QList<int> StoredSets(const QStringList& fileLines, int unit)
{
    QStringList headers;
    for (int v = 1; v <= kMaxVariants; ++v)
        headers << UnitHeaderLine(UnitChoice{0, 0, unit, v});
    QList<int> variants;
    for (const QString& line : fileLines) {
        if (const qsizetype v = headers.indexOf(line); v >= 0)
            variants.append(int(v) + 1);
    }
    return variants;
}

void WriteSimilarSets(QStringList& fileLines, int unit, const UnitBlocks& blocks, quint64 seed,
                      const QList<GeneratedSet>& sets)
{
    qsizetype at = -1;
    for (int v = 1; v <= kMaxVariants; ++v) {
        const QString headerLine = UnitHeaderLine(UnitChoice{0, 0, unit, v});
        for (qsizetype header; (header = fileLines.indexOf(headerLine)) >= 0;) {
            fileLines.remove(header, UnitEnd(fileLines, header) - header);
            at = at < 0 ? header : std::min(at, header);
        }
    }
    if (at < 0) {
        const qsizetype own = fileLines.indexOf(UnitHeaderLine(UnitChoice{0, 0, unit, 0}));
        at = own < 0 ? fileLines.size() : UnitEnd(fileLines, own);
    }
    QStringList written;
    for (const GeneratedSet& set : sets) {
        UnitBlocks setBlocks = blocks;
        setBlocks.ques = set.questions;
        setBlocks.kgroup = SetChoices(blocks.kgroup, blocks.ques, set.questions);
        QStringList block;
        WriteUnit(block, UnitHeaderLine(UnitChoice{0, 0, unit, set.variant}), setBlocks);
        block.insert(1, SeedLine(seed));
        written += block;
    }
    for (qsizetype i = 0; i < written.size(); ++i)
        fileLines.insert(at + i, written.at(i));
}

QStringList PaneLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    return text.split(QLatin1Char('\n'));
}

QString PaneText(const QStringList& lines)
{
    return lines.join(QLatin1Char('\n'));
}

bool QuestionEditor::LoadUnitIntoPanes(const QString& programFolder, const LessonTable& lessons,
                                       const UnitChoice& choice, const Sheet* openSheet)
{
    position = choice;
    ques.clear();
    kgroup.clear();
    dummy.clear();
    hint.clear();
    qgraph.clear();
    agraph.clear();
    pasteLo.clear();
    unitFound_ = false;
    loadError_.clear();
    // Without a section there is no master file; lines kept from another unit's file must
    // not be saved under this one.
    unitLines.clear();
    fileName.clear();
    stamp_ = FileStamp();

    bool readOk = true;
    if (choice.section >= 1) {
        fileName = MasterPath(programFolder, lessons, choice.lesson, choice.section);
        // Before the read, so that a change in between makes the save refuse.
        stamp_ = FileStamp::of(fileName);
        if (QFileInfo(fileName).isFile()) {
            if (const TextFile::Result r = TextFile::read(fileName, unitLines); !r) {
                unitLines.clear();
                loadError_ = r.error;
                ShowMessage(r.error);
                readOk = false;
            }
        }
    }

    const qsizetype start = unitLines.indexOf(UnitHeaderLine(choice));
    if (start < 0) {
        ques << QStringLiteral("１．次の各空欄に適語を入れなさい。")
             << QStringLiteral("例　日本の首都は　#　東京　#　です");
        pasteLo = DefaultDataLines();
        return readOk;
    }

    unitFound_ = true;
    // A unit without its "]]" ends at the next unit's header.
    const qsizetype unitEnd = UnitEnd(unitLines, start);
    for (qsizetype i = start + 1; i < unitEnd && unitLines.at(i) != kUnitEnd; ++i) {
        const QString& keyword = unitLines.at(i);
        QStringList* pane = nullptr;
        bool layout = false;
        if (keyword == QLatin1StringView("<<ques"))
            pane = &ques;
        else if (keyword == QLatin1StringView("<<dummy"))
            pane = &dummy;
        else if (keyword == QLatin1StringView("<<kgroup"))
            pane = &kgroup;
        else if (keyword == QLatin1StringView("<<hint"))
            pane = &hint;
        else if (keyword == QLatin1StringView("<<graph"))
            pane = &qgraph;
        else if (keyword == QLatin1StringView("<<AGraph"))
            pane = &agraph;
        else if (keyword == QLatin1StringView("<<value") ||
                 keyword == QLatin1StringView("<<font") || keyword == QLatin1StringView("<<kran"))
            pane = &pasteLo, layout = true;
        if (!pane)
            continue;
        if (layout)
            *pane << keyword;
        // A block that lacks its ">>" ends with the unit, so the next unit is never taken in.
        qsizetype j = i + 1;
        for (; j < unitEnd; ++j) {
            const QString& line = unitLines.at(j);
            if (line == kClose || line == kUnitEnd)
                break;
            *pane << line;
        }
        if (layout)
            *pane << kClose;
        if (j < unitEnd && unitLines.at(j) == kUnitEnd)
            break;
        i = j;
    }

    // Another unit's sheet (the chooser's choice in new-unit mode) has nothing to give.
    if (openSheet && openSheet->source.choice == choice) {
        pasteLo = LayoutBlockLines(openSheet->toCopySheet());
        qgraph = openSheet->content.questionFigures;
        agraph = openSheet->content.answerFigures;
    }
    return readOk;
}

void QuestionEditor::WriteUnitFromPanes()
{
    WriteUnit(unitLines, UnitHeaderLine(position),
              UnitBlocks{ques, kgroup, dummy, hint, qgraph, agraph, pasteLo});
    unitFound_ = true;
}

TextFile::Result QuestionEditor::Save()
{
    TextFile::Result result;
    if (!loadError_.isEmpty()) {
        // The lines in memory are not the file's: writing them would lose its other units.
        result.error = shownPath(fileName) +
                       QStringLiteral(" を読み込めなかったので保存しません\n") + loadError_;
    } else if (fileName.isEmpty()) {
        result.error = QStringLiteral("保存先のデータファイルがありません");
    } else if (stamp_.changedOnDisk(fileName)) {
        // The lines in memory are the whole file as it was: writing them would undo what
        // someone else saved since, in any unit.
        result.error =
            ChangedSinceReadText(fileName) +
            QStringLiteral("\n保存しませんでした。編集内容を控えてから開き直してください");
    } else {
        QDir().mkpath(QFileInfo(fileName).absolutePath());
        result = TextFile::write(fileName, unitLines);
        if (!result)
            result.error =
                shownPath(fileName) + QStringLiteral("の保存に失敗しました\n") + result.error;
    }
    if (!result) {
        ShowMessage(result.error);
        return result;
    }
    stamp_ = FileStamp::of(fileName);
    unitModified = false;
    return result;
}

bool QuestionEditor::SaveSimilarSets(quint64 seed, const QList<GeneratedSet>& sets)
{
    if (const QList<int> stored = StoredSets(unitLines, position.unit); !stored.isEmpty()) {
        const QString question =
            QStringLiteral("この単元にはすでに類題が%1組あります。\n").arg(stored.size()) +
            QStringLiteral("今ある類題を消して、新しい類題%1組に置き換えますか？").arg(sets.size());
        if (Messages::instance().askDestructive(question) != Messages::Answer::Yes)
            return false;
    }
    const QStringList before = unitLines;
    const bool modified = unitModified;
    WriteSimilarSets(unitLines, position.unit,
                     UnitBlocks{ques, kgroup, dummy, hint, qgraph, agraph, pasteLo}, seed, sets);
    const bool saved = Save().ok;
    // The file now holds the sets but not the panes' edits; a failed save leaves the lines as
    // the file still has them, so a later save does not write sets nobody saw go in.
    unitModified = modified;
    if (!saved)
        unitLines = before;
    return saved;
}

int QuestionEditor::ExtractAnswers()
{
    const int r = CheckQuestionLines(ques);
    if (r < 0)
        lstKai = AnswersOfLines(ques);
    return r;
}

TextFile::Result SaveSheetToMaster(const QString& programFolder, const LessonTable& lessons,
                                   const Sheet& sheet)
{
    QuestionEditor editor;
    if (!editor.LoadUnitIntoPanes(programFolder, lessons, sheet.source.choice, &sheet)) {
        TextFile::Result failed;
        failed.error = editor.loadError();
        return failed;
    }
    if (!editor.unitFound()) {
        // The file lacks the unit: what goes in is the sheet's, not the new-unit sample.
        editor.ques = sheet.content.questions;
        editor.kgroup = sheet.content.answerGroups;
        editor.pasteLo = LayoutBlockLines(sheet.toCopySheet());
        editor.qgraph = sheet.content.questionFigures;
        editor.agraph = sheet.content.answerFigures;
    }
    editor.WriteUnitFromPanes();
    return editor.Save();
}

} // namespace zendra
