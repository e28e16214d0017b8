#include "qtprompts.h"

#include <QApplication>
#include <QMessageBox>

void QtPrompts::message(const QString &text)
{
    QMessageBox::information(m_parent, QApplication::applicationName(), text);
}

Prompts::Answer QtPrompts::question(const QString &text)
{
    const auto answer = QMessageBox::question(m_parent, QApplication::applicationName(), text,
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes)
        return Answer::Yes;
    return answer == QMessageBox::No ? Answer::No : Answer::Cancel;
}
