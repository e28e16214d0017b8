#include "optionspanel.h"

#include "platform/product.h"
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

    auto *flags = new QGridLayout;
    flags->addWidget(setrunningupdate = check(u"setrunningupdate"_s, u"Show log window"_s), 0, 0);
    flags->addWidget(chklog = check(u"chklog"_s, u"Save log file"_s), 0, 1);
    flags->addWidget(
        setstartup = check(u"setstartup"_s, u"Start "_s + product::name() + u" when I start my computer"_s), 1, 0);
    flags->addWidget(chkhelp = check(u"chkhelp"_s, u"Show context help Icons"_s), 1, 1);
    addlayout(flags);

    auto *limits = new QGridLayout;
    limits->addWidget(connections = box(u"connections"_s, 48), 0, 0);
    limits->addWidget(label(u"labconnections"_s, u"is the maximum number of connections to use"_s), 0, 1);
    limits->addWidget(txttimeout = box(u"txttimeout"_s, 48), 1, 0);
    limits->addWidget(label(u"labtimeout"_s, u"seconds to wait for a page before trying again"_s), 1, 1);
    limits->setColumnStretch(1, 1);
    addlayout(limits);

    auto *api = new QHBoxLayout;
    api->addWidget(chkuseapi = check(u"chkuseapi"_s, u"Use a Google API License Key"_s));
    api->addWidget(txtapikey = box(u"txtapikey"_s), 1);
    addlayout(api);
    auto *getapi = new QHBoxLayout;
    getapi->addStretch();
    getapi->addWidget(cmdgetapi = new QPushButton(u"Get your Free Google API key"_s, this));
    cmdgetapi->setObjectName(u"cmdgetapi"_s);
    addlayout(getapi);

    auto *service = new QGridLayout;
    service->addWidget(label(u"labengine"_s, u"Search service"_s), 0, 0);
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
    service->addWidget(label(u"labengineurl"_s, u"Service address"_s), 1, 0);
    service->addWidget(txtengineurl = box(u"txtengineurl"_s), 1, 1);
    txtengineurl->setPlaceholderText(u"https://searx.example:8443"_s);
    service->addWidget(label(u"labenginekey"_s, u"Service key"_s), 2, 0);
    service->addWidget(txtenginekey = box(u"txtenginekey"_s), 2, 1);
    txtenginekey->setEchoMode(QLineEdit::Password);
    service->addWidget(label(u"labsearxngengines"_s, u"SearXNG engines"_s), 3, 0);
    service->addWidget(txtsearxngengines = box(u"txtsearxngengines"_s), 3, 1);
    txtsearxngengines->setPlaceholderText(u"the instance's choice, or e.g. google"_s);
    service->addWidget(label(u"labcafile"_s, u"CA certificates (PEM file)"_s), 4, 0);
    service->addWidget(txtcafile = box(u"txtcafile"_s), 4, 1);
    service->setColumnStretch(1, 1);
    addlayout(service);
    labtestservice = addlabel(u"labtestservice"_s, {});
    labtestservice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *pace = new QHBoxLayout;
    pace->addWidget(txtrequestdelay = box(u"txtrequestdelay"_s, 64));
    pace->addWidget(label(u"labrequestdelay"_s, u"milliseconds between two requests to the same host"_s), 1);
    addlayout(pace);
    auto *replies = new QHBoxLayout;
    replies->addWidget(txtmaxreply = box(u"txtmaxreply"_s, 96));
    replies->addWidget(label(u"labmaxreply"_s, u"bytes of one reply at most; a longer reply is cut there"_s), 1);
    addlayout(replies);
    addwidget(chkshuffle = check(u"chkshuffle"_s, u"Search the keywords in random order"_s));
    auto *alerts = new QGridLayout;
    alerts->addWidget(txtalertdelta = box(u"txtalertdelta"_s, 64), 0, 0);
    alerts->addWidget(label(u"labalertdelta"_s, u"places up or down raise an alert"_s), 0, 1);
    alerts->addWidget(label(u"labalertcommand"_s, u"Alert program"_s), 0, 2);
    alerts->addWidget(txtalertcommand = box(u"txtalertcommand"_s), 0, 3);
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
    proxy->addWidget(label(u"labopt2"_s, u"Proxy Server"_s), 0, 0);
    proxy->addWidget(txtproxyserver = box(u"txtproxyserver"_s), 0, 1);
    proxy->addWidget(label(u"labopt3"_s, u"Proxy Port"_s), 0, 2);
    proxy->addWidget(txtproxyport = box(u"txtproxyport"_s, 64), 0, 3);
    proxy->addWidget(label(u"labopt4"_s, u"Proxy Username"_s), 1, 0);
    proxy->addWidget(txtproxyuser = box(u"txtproxyuser"_s), 1, 1);
    proxy->addWidget(label(u"labopt5"_s, u"Proxy Password"_s), 1, 2);
    proxy->addWidget(txtproxypass = box(u"txtproxypass"_s), 1, 3);
    txtproxypass->setEchoMode(QLineEdit::Password);
    proxy->setColumnStretch(1, 1);
    addlayout(proxy);

    auto *colour = new QHBoxLayout;
    colour->addWidget(label(u"labopt6"_s, u"Choose color scheme"_s));
    colour->addWidget(chocolor = new QComboBox(this), 1);
    chocolor->setObjectName(u"chocolor"_s);
    chocolor->setEditable(true);
    addlayout(colour);

    addstretch();
    QHBoxLayout *row = addbuttonrow();
    btnoptionscont = addbutton(row, u"btnoptionscont"_s, u"Continue"_s);
    btnoptcancel = addbutton(row, u"btnoptcancel"_s, u"Cancel"_s);
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

QLineEdit *OptionsPanel::box(const QString &name, int width)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    if (width > 0)
        edit->setFixedWidth(width);
    return edit;
}

QLabel *OptionsPanel::label(const QString &name, const QString &caption)
{
    auto *text = new QLabel(caption, this);
    text->setObjectName(name);
    return text;
}
