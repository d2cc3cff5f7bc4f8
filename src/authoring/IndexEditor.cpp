#include "authoring/IndexEditor.h"

#include "courseware/CoursewareIndex.h"
#include "platform/Cp932.h"
#include "platform/Messages.h"
#include "platform/Paths.h"
#include "platform/TextFile.h"

#include <QFileInfo>

namespace zendra {

namespace {

const QString kEndOfUnits = QStringLiteral(">>");

bool inRange(int row, qsizetype size)
{
    return row >= 0 && row < size;
}

// The unit lines of the section whose header is at `header`: from two lines after its title
// up to the next ">>", or the end of a text that lacks it.
QStringList unitLinesAfter(const QStringList& lines, qsizetype header, qsizetype* end = nullptr)
{
    QStringList units;
    qsizetype j = header + 3;
    while (j < lines.size() && lines.at(j) != kEndOfUnits)
        units.append(lines.at(j++));
    if (end)
        *end = j;
    return units;
}

QStandardItem* treeItem(const QString& text, int depth)
{
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    item->setData(depth, kIndexTreeDepthRole);
    return item;
}

} // namespace

QStringList NewLessonIndexLines()
{
    return {QStringLiteral("ここにタイトルをかいてください"),
            QStringLiteral("[[sect1"),
            QStringLiteral("ここは主メニュー"),
            QStringLiteral("<<"),
            QStringLiteral("ここは副メニュー"),
            QStringLiteral(">>"),
            QStringLiteral("]]")};
}

int FindSectionLine(const QStringList& lines, int n)
{
    int found = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines.at(i).startsWith(QStringLiteral("[[sect")) && ++found == n)
            return static_cast<int>(i);
    }
    return -1;
}

SectionUnits SectionsOfText(const QStringList& lines)
{
    SectionUnits sections;
    sections.indexTitle = lines.value(0);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (!lines.at(i).startsWith(QStringLiteral("[[")))
            continue;
        Section section;
        section.title = lines.value(i + 1);
        section.units = unitLinesAfter(lines, i, &i);
        sections.sections.append(section);
    }
    return sections;
}

QString RefuseIndexTitle(const QString& title)
{
    if (title == QStringLiteral(">>") || title == QStringLiteral("<<") ||
        title.startsWith(QStringLiteral("[[")))
        return QStringLiteral("「%1」は目次の区切りの行（>>、<<、[[ で始まる行）と同じになるので"
                              "使えません")
            .arg(title);
    for (qsizetype i = 0; i < title.size(); ++i) {
        const qsizetype length = title.at(i).isHighSurrogate() && i + 1 < title.size() ? 2 : 1;
        const QString character = title.mid(i, length);
        if (!cp932::canEncode(character))
            return QStringLiteral("「%1」は Shift-JIS で保存できない文字なので使えません")
                .arg(character);
        i += length - 1;
    }
    return {};
}

void BuildIndexTree(const QStringList& lessonIndexText, const UnitMarks& marks,
                    QStandardItemModel& model)
{
    model.clear();
    QStandardItem* root = treeItem(lessonIndexText.value(0), 0);
    model.appendRow(root);
    const SectionUnits sections = SectionsOfText(lessonIndexText);
    for (int s = 1; s <= sections.count(); ++s) {
        const Section section = sections.section(s);
        QStandardItem* node = treeItem(section.title, 1);
        root->appendRow(node);
        for (int u = 1; u <= section.units.size(); ++u)
            node->appendRow(treeItem(marks.prefix(s, u) + section.units.at(u - 1), 2));
    }
}

QString IndexEditRefusal(const QString& path, const QStringList& lines)
{
    IndexProblem problem;
    SectionUnits ignored;
    if (ParseLessonIndexLines(lines, ignored, &problem)) {
        problem = {};
        for (qsizetype i = 0; i < lines.size() && problem.line == 0; ++i)
            if (lines.at(i).startsWith(QStringLiteral("[[")) &&
                !lines.at(i).startsWith(QStringLiteral("[[sect")))
                problem = {static_cast<int>(i + 1),
                           QStringLiteral("セクションの行は [[sect で始めてください")};
        if (problem.line == 0)
            return {};
    }
    return QStringLiteral("ファイル %1 の %2 行目：%3\n"
                          "このままでは項目を追加・変更できません。"
                          "［ソースの直接編集］で直してください")
        .arg(shownPath(path), QString::number(problem.line), problem.text);
}

LessonIndexText LoadLessonIndexText(const QString& programFolder, const LessonTable& table,
                                    int lesson)
{
    LessonIndexText index;
    index.path = LessonIndexPath(programFolder, table, std::max(1, lesson));
    index.stamp = FileStamp::of(index.path);
    if (!QFileInfo(index.path).isFile()) {
        index.lines = NewLessonIndexLines();
        return index;
    }
    if (const TextFile::Result r = TextFile::read(index.path, index.lines); !r) {
        index.lines.clear();
        index.error = r.error;
        return index;
    }
    index.fromFile = true;
    return index;
}

LessonIndexText BuildIndexTree(const QString& programFolder, const LessonTable& table, int lesson,
                               const QString& learnerName, QStandardItemModel& model)
{
    const int n = std::max(1, lesson);
    LessonIndexText index = LoadLessonIndexText(programFolder, table, n);
    const UnitMarks marks =
        ComputeUnitMarks(programFolder, table, n, learnerName, SectionsOfText(index.lines));
    BuildIndexTree(index.lines, marks, model);
    return index;
}

IndexEditor::IndexEditor(const QString& programFolder, LessonTable& lessons)
    : programFolder_(programFolder), lessons_(lessons)
{
}

bool IndexEditor::show()
{
    saved_ = false;
    if (!LoadMainIndex(programFolder_, lessons_))
        return false;
    lessonChosen(lessons_.count() > 0 ? 0 : -1);
    return true;
}

QStringList IndexEditor::lessonRows() const
{
    QStringList rows;
    for (const Lesson& lesson : lessons_.lessons)
        rows.append(lesson.name);
    return rows;
}

void IndexEditor::lessonChosen(int row)
{
    modified_ = false;
    lesson_ = inRange(row, lessons_.count()) ? row : -1;
    editRefusal_.clear();
    if (lesson_ < 0) {
        index_ = LessonIndexText{};
        loadError_.clear();
        tree_.clear();
        mainTitle_.clear();
        sectionRows_.clear();
        sectionChosen(-1);
        return;
    }
    index_ = LoadLessonIndexText(programFolder_, lessons_, lesson_ + 1);
    loadError_ = index_.error;
    if (!loadError_.isEmpty())
        ShowMessage(loadError_);
    else if (editRefusal_ = IndexEditRefusal(index_.path, index_.lines); !editRefusal_.isEmpty())
        ShowMessage(editRefusal_);
    rebuildTree();
    sectionChosen(sectionRows_.isEmpty() ? -1 : 0);
}

void IndexEditor::rebuildTree()
{
    const SectionUnits sections = SectionsOfText(index_.lines);
    BuildIndexTree(index_.lines,
                   ComputeUnitMarks(programFolder_, lessons_, lesson_ + 1, learner_, sections),
                   tree_);
    sectionRows_.clear();
    for (const Section& section : sections.sections)
        sectionRows_.append(section.title);
    mainTitle_ = index_.lines.value(0);
}

void IndexEditor::sectionChosen(int row)
{
    section_ = inRange(row, sectionRows_.size()) ? row : -1;
    unitRows_.clear();
    if (section_ >= 0) {
        const int line = FindSectionLine(index_.lines, section_ + 1);
        if (line < 0)
            ShowMessage(QStringLiteral("not found"));
        else
            unitRows_ = unitLinesAfter(index_.lines, line);
    }
    unitChosen(unitRows_.isEmpty() ? -1 : 0);
}

void IndexEditor::unitChosen(int row)
{
    unit_ = inRange(row, unitRows_.size()) ? row : -1;
}

QString IndexEditor::dataFile() const
{
    if (lesson_ < 0 || section_ < 0)
        return {};
    const QString path = MasterPath(programFolder_, lessons_, lesson_ + 1, section_ + 1);
    return QFileInfo(path).isFile() ? shownPath(path) : QStringLiteral("未作成");
}

QString IndexEditor::selectedSectionTitle() const
{
    return section_ >= 0 ? sectionRows_.value(section_) : QString();
}

QString IndexEditor::selectedUnitTitle() const
{
    return unit_ >= 0 ? unitRows_.value(unit_) : QString();
}

bool IndexEditor::editable() const
{
    if (editRefusal_.isEmpty())
        return true;
    ShowMessage(editRefusal_);
    return false;
}

bool IndexEditor::mayAddSection() const
{
    if (!editable())
        return false;
    if (sectionRows_.size() >= kMaxIndexEntries) {
        ShowMessage(QStringLiteral("セクションは８０個までです"));
        return false;
    }
    return true;
}

bool IndexEditor::mayAddUnit() const
{
    if (!editable())
        return false;
    if (section_ >= 0 && unitRows_.size() >= kMaxIndexEntries) {
        ShowMessage(QStringLiteral("ユニットは８０個までです"));
        return false;
    }
    return true;
}

void IndexEditor::addSection(const QString& title)
{
    if (title.isEmpty() || lesson_ < 0 || sectionRows_.size() >= kMaxIndexEntries ||
        !editRefusal_.isEmpty())
        return;
    modified_ = true;
    const QString n = QString::number(sectionRows_.size() + 1);
    index_.lines << QStringLiteral("[[sect") + n << title << QStringLiteral("<<")
                 << QStringLiteral("SubMenu New") + n << kEndOfUnits << QStringLiteral("]]");
    rebuildTree();
    sectionChosen(static_cast<int>(sectionRows_.size()) - 1);
}

bool IndexEditor::mayRenameSection() const
{
    if (!editable())
        return false;
    if (section_ < 0) {
        ShowMessage(QStringLiteral("変更する項目をクリックしてください"));
        return false;
    }
    return true;
}

void IndexEditor::renameSection(const QString& title)
{
    const int line = FindSectionLine(index_.lines, section_ + 1);
    if (section_ < 0 || line < 0 || line + 1 >= index_.lines.size() || !editRefusal_.isEmpty())
        return;
    modified_ = true;
    index_.lines[line + 1] = title;
    const int section = section_;
    rebuildTree();
    sectionChosen(section);
}

void IndexEditor::addUnit(const QString& title)
{
    if (title.isEmpty() || section_ < 0 || unitRows_.size() >= kMaxIndexEntries ||
        !editRefusal_.isEmpty())
        return;
    const int line = FindSectionLine(index_.lines, section_ + 1);
    const qsizetype at = line + unitRows_.size() + 3;
    if (line < 0 || at > index_.lines.size())
        return;
    modified_ = true;
    index_.lines.insert(at, title);
    const int section = section_;
    rebuildTree();
    sectionChosen(section);
    unitChosen(static_cast<int>(unitRows_.size()) - 1);
}

bool IndexEditor::mayRenameUnit() const
{
    if (!editable())
        return false;
    if (unit_ < 0) {
        ShowMessage(section_ < 0 ? QStringLiteral("変更するメニューがありません")
                                 : QStringLiteral("変更する項目をクリックしてください"));
        return false;
    }
    return true;
}

void IndexEditor::renameUnit(const QString& title)
{
    const int line = FindSectionLine(index_.lines, section_ + 1);
    if (title.isEmpty() || unit_ < 0 || line < 0 || line + unit_ + 3 >= index_.lines.size() ||
        !editRefusal_.isEmpty())
        return;
    modified_ = true;
    index_.lines[line + unit_ + 3] = title;
    const int section = section_;
    const int unit = unit_;
    rebuildTree();
    sectionChosen(section);
    unitChosen(unit);
}

void IndexEditor::setMainTitle(const QString& title)
{
    if (index_.lines.isEmpty() || index_.lines.first() == title)
        return;
    modified_ = true;
    index_.lines.first() = title;
    mainTitle_ = title;
    if (QStandardItem* root = tree_.item(0))
        root->setText(title);
}

bool IndexEditor::save(const QStringList& lines)
{
    if (!loadError_.isEmpty()) {
        // Writing over a file that could not be read would lose what it holds.
        ShowMessage(loadError_);
        return false;
    }
    // What the chooser could not read back would shut the teacher out of the lesson.
    SectionUnits ignored;
    if (IndexProblem problem; !ParseLessonIndexLines(lines, ignored, &problem)) {
        ShowMessage(
            QStringLiteral("%1 行目：%2\n保存しませんでした").arg(problem.line).arg(problem.text));
        return false;
    }
    // On a shared folder another teacher may have saved this index since it was read; the
    // lines here would undo their sections and units.
    if (index_.stamp.changedOnDisk(index_.path)) {
        ShowMessage(ChangedSinceReadText(index_.path) +
                    QStringLiteral("\n保存しませんでした。この画面を閉じて、開き直してください"));
        return false;
    }
    if (const TextFile::Result r = TextFile::write(index_.path, lines); !r) {
        ShowMessage(r.error);
        return false;
    }
    index_.stamp = FileStamp::of(index_.path);
    saved_ = true;
    return true;
}

bool IndexEditor::ok()
{
    if (lesson_ < 0 || section_ < 0) {
        ShowMessage(QStringLiteral("編集する主メニューを選択してください"));
        return false;
    }
    if (unit_ < 0) {
        ShowMessage(QStringLiteral("編集する副メニューを選択してください"));
        return false;
    }
    if (modified_) {
        if (const QString refusal = RefuseIndexTitle(mainTitle_); !refusal.isEmpty()) {
            ShowMessage(refusal);
            return false;
        }
        if (!save(index_.lines))
            return false;
        const int section = section_;
        const int unit = unit_;
        lessonChosen(lesson_);
        sectionChosen(section);
        unitChosen(unit);
    }
    modified_ = false;
    return true;
}

bool IndexEditor::saveDirectEdit(const QStringList& lines)
{
    if (!save(lines))
        return false;
    lessonChosen(lessons_.count() > 0 ? 0 : -1);
    return true;
}

} // namespace zendra
