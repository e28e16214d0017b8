#pragma once

#include <QString>

// The running message box's text: time-stamped lines, trimmed when it grows large, with the
// trimmed part handed to the day log.
class RunningText final
{
public:
    // Appends date-time text, "-", text and "\r\n". Past 10000 characters the oldest 5000 go
    // first, to the day log when uselog is on.
    void writemessagebox(const QString &text, bool uselog);
    const QString &text() const { return m_text; }
    void setText(const QString &text) { m_text = text; }

    static constexpr int Limit = 10000;
    static constexpr int Cut = 5000;

private:
    QString m_text;
};
