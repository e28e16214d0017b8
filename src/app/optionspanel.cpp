#include "optionspanel.h"

#include "platform/product.h"
#include "search/boxnumbers.h"
#include "search/searchservice.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::Literals::StringLiterals;

OptionsPanel::OptionsPanel(QWidget &client) : PopupPanel(u"fraoptions"_s, client)
{
    QLabel *title = addlabel(u"laboptions"_s, u"Options"_s);
    emphasise(title, title->font().pointSizeF() * 1.3);
    addscrollingpart();

    auto *flags = new QGridLayout;
    flags->addWidget(setrunningupdate = check(u"setrunningupdate"_s, u"Show log window"_s), 0, 0);
    flags->addWidget(chklog = check(u"chklog"_s, u"Save log file"_s), 0, 1);
    flags->addWidget(
        setstartup = check(u"setstartup"_s, u"Start "_s + product::name() + u" when I start my computer"_s), 1, 0);
    flags->addWidget(chkhelp = check(u"chkhelp"_s, u"Show context help Icons"_s), 1, 1);
    flags->addWidget(labstartup = caption(u"labstartup"_s, {}), 2, 0, 1, 2);
    labstartup->setWordWrap(true);
    labstartup->hide();
    connect(setstartup, &QCheckBox::toggled, this, &OptionsPanel::showstartupnote);
    addlayout(flags);

    auto *limits = new QGridLayout;
    limits->addWidget(connections = lineedit(u"connections"_s, 48), 0, 0);
    limits->addWidget(caption(u"labconnections"_s, u"is the maximum number of connections to use"_s), 0, 1);
    limits->addWidget(txttimeout = lineedit(u"txttimeout"_s, 48), 1, 0);
    limits->addWidget(caption(u"labtimeout"_s, u"seconds to wait for a page before trying again"_s), 1, 1);
    limits->addWidget(labnumbers = caption(u"labnumbers"_s, {}), 2, 0, 1, 2);
    labnumbers->setWordWrap(true);
    labnumbers->hide();
    limits->setColumnStretch(1, 1);
    addlayout(limits);
    numberbox::refuseonleave(*connections, boxnumbers::connections, sayer(0));
    numberbox::refuseonleave(*txttimeout, boxnumbers::timeout, sayer(1));

    auto *api = new QHBoxLayout;
    api->addWidget(chkuseapi = check(u"chkuseapi"_s, u"Use a Google API License Key"_s));
    api->addWidget(txtapikey = lineedit(u"txtapikey"_s), 1);
    addlayout(api);
    auto *getapi = new QHBoxLayout;
    getapi->addStretch();
    getapi->addWidget(cmdgetapi = new QPushButton(u"Get your Free Google API key"_s, this));
    cmdgetapi->setObjectName(u"cmdgetapi"_s);
    addlayout(getapi);

    auto *service = new QGridLayout;
    service->addWidget(caption(u"labengine"_s, u"Search service"_s), 0, 0);
    auto *enginerow = new QHBoxLayout;
    enginerow->addWidget(choengine = new QComboBox(this), 1);
    choengine->setObjectName(u"choengine"_s);
    enginerow->addWidget(cmdtestservice = new QPushButton(u"Test"_s, this));
    cmdtestservice->setObjectName(u"cmdtestservice"_s);
    cmdtestservice->setToolTip(u"Search once for a well-known word with the settings above"_s);
    service->addLayout(enginerow, 0, 1);
    const std::pair<QString, QString> services[] = {
        {u"HTML result page"_s, engines::html},         {u"SOAP service (API key above)"_s, engines::soap},
        {u"SearXNG (JSON)"_s, engines::searxng},        {u"SERP API (JSON)"_s, engines::serpapi},
        {u"Brave Search API (JSON)"_s, engines::brave}, {u"Serper (JSON)"_s, engines::serper}};
    for (const auto &[caption, name] : services)
        choengine->addItem(caption, name);
    service->addWidget(caption(u"labengineurl"_s, u"Service address"_s), 1, 0);
    service->addWidget(txtengineurl = lineedit(u"txtengineurl"_s), 1, 1);
    txtengineurl->setPlaceholderText(u"https://searx.example:8443"_s);
    service->addWidget(caption(u"labenginekey"_s, u"Service key"_s), 2, 0);
    service->addWidget(txtenginekey = lineedit(u"txtenginekey"_s), 2, 1);
    txtenginekey->setEchoMode(QLineEdit::Password);
    service->addWidget(caption(u"labsearxngengines"_s, u"SearXNG engines"_s), 3, 0);
    service->addWidget(txtsearxngengines = lineedit(u"txtsearxngengines"_s), 3, 1);
    txtsearxngengines->setPlaceholderText(u"the instance's choice, or e.g. google"_s);
    service->addWidget(caption(u"labcafile"_s, u"CA certificates (PEM file)"_s), 4, 0);
    service->addWidget(txtcafile = lineedit(u"txtcafile"_s), 4, 1);
    service->setColumnStretch(1, 1);
    addlayout(service);
    labtestservice = addlabel(u"labtestservice"_s, {});
    labtestservice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *pace = new QHBoxLayout;
    pace->addWidget(txtrequestdelay = lineedit(u"txtrequestdelay"_s, 64));
    pace->addWidget(caption(u"labrequestdelay"_s, u"milliseconds between two requests to the same host"_s), 1);
    addlayout(pace);
    auto *replies = new QHBoxLayout;
    replies->addWidget(txtmaxreply = lineedit(u"txtmaxreply"_s, 96));
    replies->addWidget(caption(u"labmaxreply"_s, u"bytes of one reply at most; a longer reply is cut there"_s), 1);
    addlayout(replies);
    addwidget(chkshuffle = check(u"chkshuffle"_s, u"Search the keywords in random order"_s));
    auto *alerts = new QGridLayout;
    alerts->addWidget(txtalertdelta = lineedit(u"txtalertdelta"_s, 64), 0, 0);
    alerts->addWidget(caption(u"labalertdelta"_s, u"places up or down raise an alert"_s), 0, 1);
    alerts->addWidget(caption(u"labalertcommand"_s, u"Alert program"_s), 0, 2);
    alerts->addWidget(txtalertcommand = lineedit(u"txtalertcommand"_s), 0, 3);
    txtalertcommand->setPlaceholderText(u"gets each alert on its input"_s);
    alerts->setColumnStretch(3, 1);
    addlayout(alerts);
    connect(choengine, &QComboBox::currentIndexChanged, this, &OptionsPanel::syncengine);
    connect(chkuseapi, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            setengine(engines::soap);
        else if (engine() == engines::soap)
            setengine(engines::html);
    });

    addwidget(chkuseproxy = check(u"chkuseproxy"_s, u"Connect to the internet via a proxy server"_s));
    auto *proxy = new QGridLayout;
    proxy->addWidget(caption(u"labopt2"_s, u"Proxy Server"_s), 0, 0);
    proxy->addWidget(txtproxyserver = lineedit(u"txtproxyserver"_s), 0, 1);
    proxy->addWidget(caption(u"labopt3"_s, u"Proxy Port"_s), 0, 2);
    proxy->addWidget(txtproxyport = lineedit(u"txtproxyport"_s, 64), 0, 3);
    proxy->addWidget(caption(u"labopt4"_s, u"Proxy Username"_s), 1, 0);
    proxy->addWidget(txtproxyuser = lineedit(u"txtproxyuser"_s), 1, 1);
    proxy->addWidget(caption(u"labopt5"_s, u"Proxy Password"_s), 1, 2);
    proxy->addWidget(txtproxypass = lineedit(u"txtproxypass"_s), 1, 3);
    txtproxypass->setEchoMode(QLineEdit::Password);
    proxy->setColumnStretch(1, 1);
    addlayout(proxy);

    auto *colour = new QHBoxLayout;
    colour->addWidget(caption(u"labopt6"_s, u"Choose color scheme"_s));
    colour->addWidget(chocolor = new QComboBox(this), 1);
    chocolor->setObjectName(u"chocolor"_s);
    chocolor->setEditable(true);
    addlayout(colour);

    addstretch();
    QHBoxLayout *row = addbuttonrow();
    btnoptionscont = addbutton(row, u"btnoptionscont"_s, u"Continue"_s);
    btnoptcancel = addbutton(row, u"btnoptcancel"_s, u"Cancel"_s);
    namecontrols();
}

void OptionsPanel::namecontrols()
{
    // What a screen reader calls each box: the caption beside it, or its purpose where that is a
    // sentence.
    const std::pair<QWidget *, QString> names[] = {
        {connections, u"Maximum number of connections"_s},
        {txttimeout, u"Seconds to wait for a page"_s},
        {txtapikey, u"Google API License Key"_s},
        {choengine, u"Search service"_s},
        {txtengineurl, u"Service address"_s},
        {txtenginekey, u"Service key"_s},
        {txtsearxngengines, u"SearXNG engines"_s},
        {txtcafile, u"CA certificates (PEM file)"_s},
        {txtrequestdelay, u"Milliseconds between two requests to the same host"_s},
        {txtmaxreply, u"Most bytes of one reply"_s},
        {txtalertdelta, u"Places up or down that raise an alert"_s},
        {txtalertcommand, u"Alert program"_s},
        {txtproxyserver, u"Proxy Server"_s},
        {txtproxyport, u"Proxy Port"_s},
        {txtproxyuser, u"Proxy Username"_s},
        {txtproxypass, u"Proxy Password"_s},
        {chocolor, u"Color scheme"_s},
    };
    for (const auto &[widget, name] : names)
        widget->setAccessibleName(name);
}

void OptionsPanel::setstartupnote(const QString &note)
{
    labstartup->setText(note);
    showstartupnote();
}

void OptionsPanel::showstartupnote()
{
    labstartup->setVisible(setstartup->isChecked() && !labstartup->text().isEmpty());
}

bool OptionsPanel::numbersusable()
{
    return numberbox::refuse(*connections, boxnumbers::connections, sayer(0)) &&
           numberbox::refuse(*txttimeout, boxnumbers::timeout, sayer(1));
}

void OptionsPanel::saynumbers()
{
    numberbox::check(*connections, boxnumbers::connections, sayer(0));
    numberbox::check(*txttimeout, boxnumbers::timeout, sayer(1));
}

numberbox::Say OptionsPanel::sayer(int box)
{
    return [this, box](const QString &refusal) {
        m_refusals[box] = refusal;
        const QString shown = m_refusals[0].isEmpty() ? m_refusals[1] : m_refusals[0];
        labnumbers->setText(shown);
        labnumbers->setVisible(!shown.isEmpty());
    };
}

void OptionsPanel::setengine(const QString &engine)
{
    choengine->setCurrentIndex(qMax(0, choengine->findData(engine)));
    syncengine();
}

QString OptionsPanel::engine() const
{
    return choengine->currentData().toString();
}

void OptionsPanel::syncengine()
{
    const QString name = engine();
    // The API check box is the SOAP service's switch.
    chkuseapi->setChecked(name == engines::soap);
    txtengineurl->setEnabled(isjsonengine(name));
    txtenginekey->setEnabled(needsenginekey(name));
    txtsearxngengines->setEnabled(name == engines::searxng);
}
