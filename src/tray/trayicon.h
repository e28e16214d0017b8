#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include <memory>

// The program's icon in the desktop's notification area, with the product name as tooltip. A
// left or a right click on it asks for the main window to be hidden or shown again; a double
// click reports as two clicks. Where the desktop has no notification area there is no icon and
// the program runs without one.
class TrayIcon final : public QObject
{
    Q_OBJECT
public:
    // available: whether the desktop has a notification area (tests pass their own answer).
    explicit TrayIcon(const QIcon &icon, bool available = QSystemTrayIcon::isSystemTrayAvailable(),
                      QObject *parent = nullptr);
    ~TrayIcon() override;

    // Adds the icon with the tooltip; false (and no icon) where there is no notification area.
    bool display_tooltip(const QString &tooltip);
    // Removes the icon; a second call does nothing.
    void remove_tray_icon();
    bool added() const { return m_icon != nullptr; }
    QString tooltip() const;
    // A balloon from the icon with a warning sign; false (and nothing shown) without an icon.
    bool showMessage(const QString &title, const QString &text);
    // The text of the last balloon shown.
    QString balloon() const { return m_balloon; }

    // A notification from the icon: the button releases and double clicks toggle the window.
    void activated(QSystemTrayIcon::ActivationReason reason);

signals:
    void toggle();

private:
    QIcon m_image;
    bool m_available;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    QString m_balloon;
};
