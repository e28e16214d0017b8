#include "qtprompts.h"

#include <QApplication>

QtPrompts::QtPrompts(QWidget *parent, Presenter presenter) : m_parent(parent), m_presenter(std::move(presenter))
{
    if (!m_presenter)
        m_presenter = [](QMessageBox &box) { box.exec(); };
}

QMessageBox::StandardButton QtPrompts::ask(const QString &text, QMessageBox::StandardButtons buttons) const
{
    const QMessageBox::Icon icon = buttons == QMessageBox::Ok ? QMessageBox::Information : QMessageBox::Question;
    QMessageBox box(icon, QApplication::applicationName(), text, buttons, m_parent);
    if (buttons.testFlag(QMessageBox::Cancel))
        box.setEscapeButton(QMessageBox::Cancel);
    m_presenter(box);
    return box.standardButton(box.clickedButton());
}

void QtPrompts::message(const QString &text)
{
    ask(text, QMessageBox::Ok);
}

Prompts::Answer QtPrompts::question(const QString &text)
{
    switch (ask(text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtPrompts::confirm(const QString &text)
{
    return ask(text, QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}
