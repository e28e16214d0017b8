#include "optionscontroller.h"

#include "appstate.h"
#include "diagnostics/guard.h"
#include "diagnostics/numtext.h"
#include "mainmenus.h"
#include "optionspanel.h"
#include "platform/autostart.h"
#include "search/searchservice.h"
#include "search/servicecheck.h"
#include "webbrowser.h"
#include "windowlayout.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

OptionsController::OptionsController(AppState &state, const MainMenus &menus, QWidget &client, WindowLayout &layout,
                                     WebBrowser &browser, Autostart &autostart, const Connection &connection)
    : m_state(state), m_layout(layout), m_browser(browser), m_autostart(autostart), m_connection(connection),
      m_fraoptions(std::make_unique<OptionsPanel>(client))
{
    menus.mnuOptions->setEnabled(true);
    connect(menus.mnuOptions, &QAction::triggered, this, &OptionsController::mnuOptions_Click);
    connect(m_fraoptions->btnoptionscont, &QPushButton::clicked, this, &OptionsController::btnoptionscont_Click);
    connect(m_fraoptions->btnoptcancel, &QPushButton::clicked, this, &OptionsController::btnoptcancel_Click);
    connect(m_fraoptions->cmdgetapi, &QPushButton::clicked, this, &OptionsController::cmdgetapi_Click);
    connect(m_fraoptions->cmdtestservice, &QPushButton::clicked, this, &OptionsController::cmdtestservice_Click);
}

OptionsController::~OptionsController() = default;

QString OptionsController::apikeyaddress()
{
    return u"https://developers.google.com/custom-search/v1/introduction"_s;
}

void OptionsController::mnuOptions_Click()
{
    guard("Optionscontroller", "Sub mnuOptions_Click", [&] {
        OptionsPanel &p = *m_fraoptions;
        if (p.isVisible()) {
            p.setshown(false);
            return;
        }
        const Settings &s = m_state.settings;
        const QList<std::pair<QCheckBox *, bool>> flags = {
            {p.setrunningupdate, s.showrunning}, {p.chklog, s.uselog},    {p.setstartup, s.autostart},
            {p.chkhelp, s.contexthelp},          {p.chkuseapi, s.useapi}, {p.chkuseproxy, s.useproxy}};
        for (const auto &[box, on] : flags)
            box->setChecked(on);
        p.connections->setText(QString::number(int(s.maxconnections)));
        p.txttimeout->setText(QString::number(int(s.inettimeout)));
        p.txtproxyserver->setText(s.proxyserver);
        p.txtproxyport->setText(s.proxyport);
        p.txtproxyuser->setText(s.proxyuser);
        p.txtproxypass->setText(s.proxypass);
        p.txtapikey->setText(s.apikey);
        p.setengine(s.useapi && enginename(s) == engines::html ? engines::soap : enginename(s));
        p.txtengineurl->setText(s.engineurl);
        p.txtenginekey->setText(s.enginekey);
        p.txtsearxngengines->setText(s.searxngengines);
        p.txtcafile->setText(s.cafile);
        p.txtrequestdelay->setText(QString::number(int(s.requestdelay)));
        p.txtmaxreply->setText(QString::number(s.maxreply));
        p.chkshuffle->setChecked(s.shuffle);
        p.txtalertdelta->setText(QString::number(int(s.alertdelta)));
        p.txtalertcommand->setText(s.alertcommand);
        if (!m_check)
            p.labtestservice->clear();
        p.setshown(true);
        p.chocolor->clear();
        p.chocolor->addItems({Settings::standardScheme(), Settings::greyScheme()});
        p.chocolor->setEditText(s.colorscheme);
    });
}

void OptionsController::takeover(Settings &s) const
{
    const OptionsPanel &p = *m_fraoptions;
    s.showrunning = p.setrunningupdate->isChecked();
    s.uselog = p.chklog->isChecked();
    s.autostart = p.setstartup->isChecked();
    s.contexthelp = p.chkhelp->isChecked();
    s.useapi = p.chkuseapi->isChecked();
    s.useproxy = p.chkuseproxy->isChecked();
    // No range check: an empty box gives 0 for this run, and the next start reads it as 5.
    s.maxconnections = Int16(leadingnumber(p.connections->text()));
    s.inettimeout = Int16(leadingnumber(p.txttimeout->text()));
    s.proxyserver = p.txtproxyserver->text();
    s.proxyport = p.txtproxyport->text();
    s.proxyuser = p.txtproxyuser->text();
    s.proxypass = p.txtproxypass->text();
    s.apikey = p.txtapikey->text();
    s.engine = p.engine();
    s.engineurl = p.txtengineurl->text().trimmed();
    s.enginekey = p.txtenginekey->text();
    s.searxngengines = p.txtsearxngengines->text().trimmed();
    s.cafile = p.txtcafile->text().trimmed();
    // The delay is a 16-bit setting: a longer pause than it holds is cut to the longest.
    s.requestdelay = Int16(int(std::clamp(leadingnumber(p.txtrequestdelay->text()), 0LL, 32767LL)));
    // An empty box means the default; any other size is kept within what the program takes.
    const long long maxreply = leadingnumber(p.txtmaxreply->text());
    s.maxreply = maxreply <= 0 ? Settings::defaultMaxReply
                               : std::clamp<long long>(maxreply, Settings::leastMaxReply, Settings::mostMaxReply);
    s.shuffle = p.chkshuffle->isChecked();
    // Below one place every search would raise an alert; the stored 0 would read back as 3.
    s.alertdelta = Int16(int(std::clamp(leadingnumber(p.txtalertdelta->text()), 1LL, 32767LL)));
    s.alertcommand = p.txtalertcommand->text().trimmed();
}

void OptionsController::cmdtestservice_Click()
{
    guard("Optionscontroller", "Sub cmdtestservice_Click", [&] {
        if (m_check)
            return;
        Settings s = m_state.settings;
        takeover(s);
        OptionsPanel &p = *m_fraoptions;
        p.cmdtestservice->setEnabled(false);
        p.labtestservice->setText(u"Asking the service for \""_s + ServiceCheck::Keyword + u"\"..."_s);
        m_check = std::make_unique<ServiceCheck>(s, m_connection);
        connect(m_check.get(), &ServiceCheck::finished, this, [this](bool, const QString &verdict) {
            m_fraoptions->labtestservice->setText(verdict);
            m_fraoptions->cmdtestservice->setEnabled(true);
            // The check is still inside its own signal: released once it has returned.
            m_check.release()->deleteLater();
        });
        m_check->start();
    });
}

void OptionsController::btnoptionscont_Click()
{
    guard("Optionscontroller", "Sub btnoptionscont_Click", [&] {
        OptionsPanel &p = *m_fraoptions;
        Settings &s = m_state.settings;
        takeover(s);
        p.setshown(false);
        m_autostart.setstartupreg(s.autostart);
        const QString scheme = p.chocolor->currentText();
        if (scheme != s.colorscheme) {
            const bool known = scheme == Settings::standardScheme() || scheme == Settings::greyScheme();
            s.colorscheme = known ? scheme : missingvalue(&Settings::colorscheme);
            m_layout.setcols();
        }
        // A changed log window or help icons take effect at once.
        m_layout.displaybits(m_state.viewmode);
        m_layout.Form_Resize();
    });
}

void OptionsController::btnoptcancel_Click()
{
    guard("Optionscontroller", "Sub btnoptcancel_Click", [&] { m_fraoptions->setshown(false); });
}

void OptionsController::cmdgetapi_Click()
{
    guard("Optionscontroller", "Sub cmdgetapi_Click", [&] { m_browser.openbrowser(apikeyaddress()); });
}
