#include "trayicon.h"

#include "diagnostics/guard.h"

TrayIcon::TrayIcon(const QIcon &icon, bool available, QObject *parent)
    : QObject(parent), m_image(icon), m_available(available)
{}

TrayIcon::~TrayIcon() = default;

bool TrayIcon::display_tooltip(const QString &tooltip)
{
    guard("Tray", "Sub display_tooltip", [&] {
        if (!m_available || m_icon != nullptr)
            return;
        m_icon = std::make_unique<QSystemTrayIcon>(m_image);
        m_icon->setToolTip(tooltip);
        connect(m_icon.get(), &QSystemTrayIcon::activated, this, &TrayIcon::activated);
        m_icon->show();
    });
    return added();
}

void TrayIcon::remove_tray_icon()
{
    guard("Tray", "Sub remove_tray_icon", [&] {
        if (m_icon == nullptr)
            return;
        m_icon->hide();
        m_icon.reset();
    });
}

QString TrayIcon::tooltip() const
{
    return m_icon != nullptr ? m_icon->toolTip() : QString();
}

bool TrayIcon::showMessage(const QString &title, const QString &text)
{
    guard("Tray", "Sub showMessage", [&] {
        if (m_icon == nullptr)
            return;
        m_icon->showMessage(title, text, QSystemTrayIcon::Warning);
        m_balloon = text;
    });
    return m_icon != nullptr;
}

void TrayIcon::activated(QSystemTrayIcon::ActivationReason reason)
{
    // The toolkit reports a click as Trigger (left) or Context (right, no menu set) and the
    // second click of a double click as DoubleClick; each counts as one click.
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context ||
        reason == QSystemTrayIcon::DoubleClick)
        emit toggle();
}
