#pragma once

#include <QString>

#include <memory>

// Starting the program with the computer. Only a program installed in the system's place for
// programs is registered: a copy run from a download or build folder would otherwise stay
// registered after it moved. Switching off keeps the entry and makes it say "don't start",
// so the system's own list of start-up programs keeps showing it.
class Autostart
{
public:
    virtual ~Autostart() = default;
    virtual void setstartupreg(bool enable) = 0;
    // Why this copy of the program is not registered, for the user; "" where it is.
    virtual QString refusal() const { return {}; }
};

// The system's mechanism for the program at programpath (the executable).
std::unique_ptr<Autostart> systemautostart(const QString &programpath);

// Windows: the value "Zorvane" under the current user's
// SOFTWARE\MICROSOFT\WINDOWS\CURRENTVERSION\RUN, the quoted command line with " /hide", written
// only when the program lies directly in a "Program Files" folder of a drive; switched off by
// storing the empty text.
class RegistryAutostart final : public Autostart
{
public:
    explicit RegistryAutostart(const QString &programpath);
    void setstartupreg(bool enable) override;
    QString refusal() const override;

    // The command line stored, "" when the program is not where the rule wants it.
    QString command() const;

private:
    QString m_programpath;
};

// XDG desktops (Linux and others): the entry zorvane.desktop in the autostart folder of the
// user's configuration home ($XDG_CONFIG_HOME, by default ~/.config), written only when the
// program is installed under /usr or /opt; switched off by marking the entry hidden.
class XdgAutostart final : public Autostart
{
public:
    explicit XdgAutostart(const QString &programpath);
    void setstartupreg(bool enable) override;
    QString refusal() const override;

    QString entrypath() const;
    bool installed() const;

private:
    QString m_programpath;
};
