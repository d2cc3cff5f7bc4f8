#include "platform/FileDialogs.h"

namespace zendra {

namespace {

class CancellingDialogs : public FileDialogs
{
public:
    QString openFileName(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(const QString&, const QString&, const QString&) override { return {}; }
};

CancellingDialogs cancelling;
FileDialogs* current = nullptr;

} // namespace

FileDialogs& FileDialogs::instance()
{
    return current ? *current : cancelling;
}

void FileDialogs::install(FileDialogs* service)
{
    current = service;
}

QString ScriptedFileDialogs::openFileName(const QString& caption, const QString& folder,
                                          const QString& filter)
{
    requests_.append({false, caption, folder, filter});
    return answers_.isEmpty() ? QString() : answers_.takeFirst();
}

QString ScriptedFileDialogs::saveFileName(const QString& caption, const QString& folder,
                                          const QString& filter)
{
    requests_.append({true, caption, folder, filter});
    return answers_.isEmpty() ? QString() : answers_.takeFirst();
}

ScopedFileDialogs::ScopedFileDialogs(FileDialogs& service) : previous_(&FileDialogs::instance())
{
    FileDialogs::install(&service);
}

ScopedFileDialogs::~ScopedFileDialogs()
{
    FileDialogs::install(previous_);
}

} // namespace zendra
