#include "learners/LogOn.h"

#include "courseware/NameList.h"
#include "courseware/RecordFile.h"
#include "platform/Cp932.h"
#include "platform/FileDialogs.h"
#include "platform/Messages.h"
#include "platform/SettingsStore.h"

#include <QFileInfo>

namespace zendra {

namespace {

const QString kTextFilter = QStringLiteral("テキストファイル (*.txt)");

// Names Windows keeps for devices whatever extension follows ("CON.ini" is the console).
bool isDeviceName(const QString& name)
{
    QString stem = name.section(u'.', 0, 0);
    while (stem.endsWith(u' '))
        stem.chop(1);
    stem = stem.toUpper();
    static const QStringList fixed = {QStringLiteral("CON"), QStringLiteral("PRN"),
                                      QStringLiteral("AUX"), QStringLiteral("NUL")};
    if (fixed.contains(stem))
        return true;
    return stem.size() == 4 && (stem.startsWith(u"COM") || stem.startsWith(u"LPT")) &&
           stem.at(3) >= u'1' && stem.at(3) <= u'9';
}

// Blanks the profile functions strip from a value: a password holding them at either end
// would read back shorter than it was set.
bool hasBlankEnd(const QString& text)
{
    const auto blank = [](QChar c) { return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f'; };
    return !text.isEmpty() && (blank(text.front()) || blank(text.back()));
}

QString fileNameOf(const QString& path)
{
    return QFileInfo(path).fileName();
}

} // namespace

QString LearnerNameProblem(const QString& name)
{
    const QString head = QStringLiteral("「%1」は名前に使えません: ").arg(name);
    bool onlyBlanks = true;
    for (const QChar c : name) {
        if (!c.isSpace())
            onlyBlanks = false;
    }
    if (onlyBlanks)
        return QStringLiteral("名前が空白だけです。名前を入力してください");
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return head + QStringLiteral("制御文字が含まれています");
    }
    if (name.contains(u'\\') || name.contains(u'/'))
        return head + QStringLiteral("「\\」や「/」は使えません");
    if (name.contains(QStringLiteral("..")))
        return head + QStringLiteral("「..」は使えません");
    for (const QChar c : QStringLiteral(":*?\"<>|")) {
        if (name.contains(c))
            return head + QStringLiteral("「%1」は使えません").arg(c);
    }
    if (isDeviceName(name))
        return head + QStringLiteral("機器の名前（CON、NUL など）と同じです");
    if (!cp932::canEncode(name)) {
        for (qsizetype i = 0; i < name.size(); ++i) {
            const qsizetype n = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
            const QString c = name.mid(i, n);
            if (!cp932::canEncode(c))
                return head + QStringLiteral("「%1」は Shift-JIS で書けない文字です").arg(c);
            i += n - 1;
        }
    }
    return {};
}

PasswordCheck::PasswordCheck(QString learnerName, QString recordPath, QString storedPassword)
    : learnerName_(std::move(learnerName)), recordPath_(std::move(recordPath)),
      storedPassword_(std::move(storedPassword))
{
}

QString PasswordCheck::greeting() const
{
    return QStringLiteral("ようこそ") + learnerName_ + QStringLiteral("さん");
}

bool PasswordCheck::isNew() const
{
    return storedPassword_ == kNoPassword;
}

QString PasswordCheck::prompt() const
{
    return isNew() ? QStringLiteral("新規パスワードを設定してください")
                   : QStringLiteral("パスワードを入力してください");
}

PasswordCheck::Result PasswordCheck::ok(const QString& password, const QString& repeat)
{
    if (cp932::byteLength(password) < 4) {
        ShowMessage(QStringLiteral("４文字以上にしてください"));
        return Result::FocusPassword;
    }
    if (!isNew()) {
        if (password == storedPassword_)
            return Result::Accepted;
        ShowMessage(QStringLiteral("パスワードを正しく入力してください"));
        return Result::FocusPassword;
    }
    if (repeat != password) {
        ShowMessage(QStringLiteral("確認のため再入力してください"));
        return Result::FocusRepeat;
    }
    // Refused here rather than by the file: its message would show the password.
    if (!cp932::canEncode(password)) {
        ShowMessage(QStringLiteral("パスワードに Shift-JIS で書けない文字があります"));
        return Result::FocusPassword;
    }
    if (hasBlankEnd(password)) {
        ShowMessage(QStringLiteral("パスワードの最初と最後に空白は使えません"));
        return Result::FocusPassword;
    }
    if (const TextFile::Result r = WritePassword(recordPath_, password); !r) {
        ShowMessage(r.error);
        return Result::FocusPassword;
    }
    storedPassword_ = password;
    return Result::Accepted;
}

LogOn::LogOn(LearnerPlace place) : place_(std::move(place)) {}

bool LogOn::load(const QString& path)
{
    QStringList names;
    if (!QFileInfo::exists(path)) {
        names = DefaultNames();
        if (const TextFile::Result r = SaveNameList(path, names); !r)
            ShowMessage(r.error);
    } else if (const TextFile::Result r = LoadNameList(path, names); !r) {
        ShowMessage(r.error);
        return false;
    }
    names_ = names;
    listFileName_ = fileNameOf(path);
    listRead_ = true;
    return true;
}

void LogOn::show()
{
    saveEnabled_ = false;
    const QString path =
        DefaultNameListPath(place_.programFolder, place_.logOnFolder, place_.runningFromCd);
    if (!load(path)) {
        names_.clear();
        listFileName_ = fileNameOf(path);
        listRead_ = false;
    }
}

bool LogOn::add(const QString& name)
{
    if (!listEditable() || name.isEmpty() || names_.contains(name))
        return false;
    if (const QString problem = LearnerNameProblem(name); !problem.isEmpty()) {
        ShowMessage(problem);
        return false;
    }
    names_.append(name);
    saveEnabled_ = true;
    return true;
}

bool LogOn::remove(int row)
{
    if (!listEditable() || row < 0 || row >= names_.size())
        return false;
    if (Messages::instance().askDestructive(
            QStringLiteral("「%1」を名簿から削除してもいいですか？").arg(names_.at(row))) !=
        Messages::Answer::Yes)
        return false;
    names_.removeAt(row);
    return true;
}

void LogOn::openList()
{
    const QString path = FileDialogs::instance().openFileName(QStringLiteral("名簿を開く"),
                                                              place_.programFolder, kTextFilter);
    if (!path.isEmpty())
        load(path);
}

void LogOn::saveListAs()
{
    if (!listEditable())
        return;
    const QString path = FileDialogs::instance().saveFileName(QStringLiteral("名前を付けて保存"),
                                                              place_.programFolder, kTextFilter);
    if (path.isEmpty())
        return;
    if (const TextFile::Result r = SaveNameList(path, names_); !r)
        ShowMessage(r.error);
}

LogOn::Outcome LogOn::ok(const QString& name, const AskPassword& askPassword)
{
    // Checked before anything is written: a name already in the list may still be one
    // that cannot log on.
    if (!name.isEmpty()) {
        if (const QString problem = LearnerNameProblem(name); !problem.isEmpty()) {
            ShowMessage(problem);
            return Outcome::StayOpen;
        }
    }
    add(name);
    if (listRead_ && listEditable()) {
        const TextFile::Result r = SaveNameList(place_.rosterFolder() + listFileName_, names_);
        if (!r) {
            ShowMessage(r.error);
            return Outcome::StayOpen;
        }
    }
    if (name.isEmpty())
        return Outcome::Cancelled;

    if (name != kSharedLearner) {
        const QString path = place_.recordPathFor(name);
        QString error;
        const QString stored = ReadPassword(path, &error);
        if (!error.isEmpty()) {
            ShowMessage(error);
            return Outcome::StayOpen;
        }
        PasswordCheck check(name, path, stored);
        if (!askPassword || !askPassword(check))
            return Outcome::StayOpen;
        if (place_.gate)
            place_.gate->open(path);
    }
    place_.learnerName = name;
    WriteStringSetting(QStringLiteral("LogOnName"), name);
    return Outcome::LoggedOn;
}

} // namespace zendra
