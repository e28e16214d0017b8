#include "testfiledialogs.h"

std::optional<QString> TestFileDialogs::openfile(const FileDialogRequest &request)
{
    return answer(Kind::Open, request);
}

std::optional<QString> TestFileDialogs::savefile(const FileDialogRequest &request)
{
    return answer(Kind::Save, request);
}

std::optional<QString> TestFileDialogs::answer(Kind kind, const FileDialogRequest &request)
{
    m_asked.append({kind, request});
    return m_answers.isEmpty() ? std::nullopt : m_answers.takeFirst();
}
