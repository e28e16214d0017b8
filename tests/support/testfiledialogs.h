#pragma once

#include "platform/filedialogs.h"

#include <QList>

// Answers the file dialogs without showing them: each call takes the next queued answer
// (a file name, or a cancel) and records what was asked. With nothing queued it cancels.
class TestFileDialogs final : public FileDialogs
{
public:
    enum class Kind
    {
        Open,
        Save
    };
    struct Asked
    {
        Kind kind;
        FileDialogRequest request;
    };

    void setNextFileName(const QString &filename) { m_answers.append(filename); }
    void setNextCancel() { m_answers.append(std::nullopt); }
    const QList<Asked> &asked() const { return m_asked; }

    std::optional<QString> openfile(const FileDialogRequest &request) override;
    std::optional<QString> savefile(const FileDialogRequest &request) override;

private:
    std::optional<QString> answer(Kind kind, const FileDialogRequest &request);

    QList<std::optional<QString>> m_answers;
    QList<Asked> m_asked;
};
