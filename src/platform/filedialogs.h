#pragma once

#include <QString>

#include <optional>

// What a command asks of the file dialog: the title, a filter of description and pattern
// pairs separated by "|" ("sav files (*.sav)|*sav|All files (*.*)|*"), and the proposed file
// (a full path, or a bare name in the current folder).
struct FileDialogRequest
{
    QString title;
    QString filter;
    QString filename;
};

// The open and save dialogs. An empty optional is the user's cancel, which every caller
// treats as "end the command silently".
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<QString> openfile(const FileDialogRequest &request) = 0;
    virtual std::optional<QString> savefile(const FileDialogRequest &request) = 0;

    // The "|"-separated filter in the form Qt's dialogs take ("a (*.x);;b (*.y)").
    static QString qtfilter(const QString &filter);
};
