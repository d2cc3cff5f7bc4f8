#pragma once

#include <QList>
#include <QString>

namespace zendra {

// The standard open and save dialogs, as a service like Messages.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;

    // The chosen path, or an empty string when the user cancelled. `filter` is a name
    // pattern such as "*.prp".
    virtual QString openFileName(const QString& caption, const QString& folder,
                                 const QString& filter) = 0;
    virtual QString saveFileName(const QString& caption, const QString& folder,
                                 const QString& filter) = 0;

    // The service in force; one that always cancels until another is installed.
    static FileDialogs& instance();
    static void install(FileDialogs* service);
};

// Answers dialogs from a script of paths (tests, batch use). An empty entry, or the end
// of the script, is a cancel. Every request is recorded.
class ScriptedFileDialogs : public FileDialogs
{
public:
    struct Request
    {
        bool save;
        QString caption, folder, filter;
    };

    void script(std::initializer_list<QString> answers) { answers_.append(answers); }
    QString openFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    QString saveFileName(const QString& caption, const QString& folder,
                         const QString& filter) override;
    const QList<Request>& requests() const { return requests_; }

private:
    QList<QString> answers_;
    QList<Request> requests_;
};

class ScopedFileDialogs
{
public:
    explicit ScopedFileDialogs(FileDialogs& service);
    ~ScopedFileDialogs();
    ScopedFileDialogs(const ScopedFileDialogs&) = delete;
    ScopedFileDialogs& operator=(const ScopedFileDialogs&) = delete;

private:
    FileDialogs* previous_;
};

} // namespace zendra
