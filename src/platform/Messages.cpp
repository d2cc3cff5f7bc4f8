#include "platform/Messages.h"

#include <cstdio>

namespace zendra {

namespace {

class SilentMessages : public Messages
{
public:
    void show(const QString&) override {}
    Answer askYesNo(const QString&) override { return Answer::No; }
    Answer askYesNoCancel(const QString&) override { return Answer::Cancel; }
    Answer askDestructive(const QString&) override { return Answer::No; }
};

SilentMessages silent;
Messages* current = nullptr;

} // namespace

Messages& Messages::instance()
{
    return current ? *current : silent;
}

void Messages::install(Messages* service)
{
    current = service;
}

void StderrMessages::show(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toUtf8().constData());
}

Messages::Answer StderrMessages::askYesNo(const QString& text)
{
    show(text);
    return Answer::No;
}

Messages::Answer StderrMessages::askYesNoCancel(const QString& text)
{
    show(text);
    return Answer::Cancel;
}

Messages::Answer StderrMessages::askDestructive(const QString& text)
{
    show(text);
    return Answer::No;
}

Messages::Answer ScriptedMessages::next()
{
    if (answers_.isEmpty())
        return Answer::Yes;
    return answers_.takeFirst();
}

void ScriptedMessages::show(const QString& text)
{
    entries_.append({Entry::Kind::Message, text});
}

std::optional<int> ScriptedMessages::askNumber(const QString&, const QString& label, int value, int,
                                               int)
{
    entries_.append({Entry::Kind::Number, label});
    if (!numbers_.isEmpty())
        return numbers_.takeFirst();
    const Answer answer = next();
    if (answer == Answer::No || answer == Answer::Cancel)
        return std::nullopt;
    return value;
}

Messages::Answer ScriptedMessages::askYesNo(const QString& text)
{
    entries_.append({Entry::Kind::YesNo, text});
    return next();
}

Messages::Answer ScriptedMessages::askYesNoCancel(const QString& text)
{
    entries_.append({Entry::Kind::YesNoCancel, text});
    return next();
}

Messages::Answer ScriptedMessages::askDestructive(const QString& text)
{
    entries_.append({Entry::Kind::YesNo, text, Answer::No});
    return next();
}

QStringList ScriptedMessages::texts() const
{
    QStringList result;
    for (const Entry& e : entries_)
        result.append(e.text);
    return result;
}

ScopedMessages::ScopedMessages(Messages& service) : previous_(&Messages::instance())
{
    Messages::install(&service);
}

ScopedMessages::~ScopedMessages()
{
    Messages::install(previous_);
}

} // namespace zendra
