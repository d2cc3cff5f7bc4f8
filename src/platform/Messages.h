#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace zendra {

// Every message box of the program goes through this service. The program installs the
// widget implementation, zendra-cli one that prints to stderr, tests a scripted answerer.
class Messages
{
public:
    enum class Answer { Ok, Yes, No, Cancel };

    virtual ~Messages() = default;

    // A plain message with an OK button.
    virtual void show(const QString& text) = 0;
    // A question with Yes and No buttons.
    virtual Answer askYesNo(const QString& text) = 0;
    // A question with Yes, No and Cancel buttons (the save-on-close question).
    virtual Answer askYesNoCancel(const QString& text) = 0;
    // A Yes/No question whose Yes destroys something (erase records, delete a name,
    // overwrite, discard): No is the default button and the Escape answer, so Enter, Enter
    // never destroys. Services without a person to ask answer No.
    virtual Answer askDestructive(const QString& text) = 0;
    // A whole number in [minimum, maximum], offered as `value`; nothing when cancelled.
    // Services without a person to ask take `value`.
    virtual std::optional<int> askNumber(const QString& caption, const QString& label, int value,
                                         int minimum, int maximum)
    {
        Q_UNUSED(caption);
        Q_UNUSED(label);
        Q_UNUSED(minimum);
        Q_UNUSED(maximum);
        return value;
    }

    // The service in force; a silent one that answers No until another is installed.
    static Messages& instance();
    // Installs a service (not owned); nullptr restores the silent one.
    static void install(Messages* service);
};

// Short forms used throughout the program.
inline void ShowMessage(const QString& text)
{
    Messages::instance().show(text);
}

// Messages written to standard error, answering every question with No.
class StderrMessages : public Messages
{
public:
    void show(const QString& text) override;
    Answer askYesNo(const QString& text) override;
    Answer askYesNoCancel(const QString& text) override;
    Answer askDestructive(const QString& text) override;
};

// Records each text and answers questions from a script (tests).
class ScriptedMessages : public Messages
{
public:
    struct Entry
    {
        enum class Kind { Message, YesNo, YesNoCancel, Number } kind;
        QString text;
        // The answer Enter or Escape would give: No for a destructive question.
        Answer defaultAnswer = Answer::Yes;
    };

    // Answers given to the next questions, in order; when the script runs out, Yes.
    void script(std::initializer_list<Answer> answers) { answers_.append(answers); }

    void show(const QString& text) override;
    Answer askYesNo(const QString& text) override;
    Answer askYesNoCancel(const QString& text) override;
    Answer askDestructive(const QString& text) override;
    // Numbers given to the next number questions, in order.
    void scriptNumbers(std::initializer_list<int> numbers) { numbers_.append(numbers); }
    // Records the label and gives the next scripted number; without one, a scripted No or
    // Cancel cancels and anything else takes `value`.
    std::optional<int> askNumber(const QString& caption, const QString& label, int value,
                                 int minimum, int maximum) override;

    const QList<Entry>& entries() const { return entries_; }
    QStringList texts() const;
    void clear()
    {
        entries_.clear();
        answers_.clear();
        numbers_.clear();
    }

private:
    Answer next();

    QList<Entry> entries_;
    QList<Answer> answers_;
    QList<int> numbers_;
};

// Installs a service for the lifetime of a scope, restoring the previous one after.
class ScopedMessages
{
public:
    explicit ScopedMessages(Messages& service);
    ~ScopedMessages();
    ScopedMessages(const ScopedMessages&) = delete;
    ScopedMessages& operator=(const ScopedMessages&) = delete;

private:
    Messages* previous_;
};

} // namespace zendra
