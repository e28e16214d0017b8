#pragma once

#include "numberbox.h"
#include "popuppanel.h"

#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;

// The options panel `fraoptions`: the flags, the connection limits, the proxy, the API key and
// the colour scheme. Its controller fills it, and Continue takes the values over.
class OptionsPanel final : public PopupPanel
{
    Q_OBJECT
public:
    explicit OptionsPanel(QWidget &client);

    QCheckBox *setrunningupdate = nullptr;
    QCheckBox *chklog = nullptr;
    QCheckBox *setstartup = nullptr;
    // Why ticking setstartup registers nothing for this copy, shown under it while it is ticked.
    QLabel *labstartup = nullptr;
    QCheckBox *chkhelp = nullptr;
    QCheckBox *chkuseapi = nullptr;
    QCheckBox *chkuseproxy = nullptr;
    QLineEdit *connections = nullptr;
    QLineEdit *txttimeout = nullptr;
    // Why the number in connections or txttimeout cannot be used; hidden while both can.
    QLabel *labnumbers = nullptr;
    QLineEdit *txtproxyserver = nullptr;
    QLineEdit *txtproxyport = nullptr;
    QLineEdit *txtproxyuser = nullptr;
    QLineEdit *txtproxypass = nullptr;
    QLineEdit *txtapikey = nullptr;
    // The search service (item data: the engine setting's value), its address and its key.
    QComboBox *choengine = nullptr;
    QLineEdit *txtengineurl = nullptr;
    QLineEdit *txtenginekey = nullptr;
    // The upstream engines a SearXNG instance is asked to use.
    QLineEdit *txtsearxngengines = nullptr;
    // Searches once with the boxes as they are and shows the verdict below them.
    QPushButton *cmdtestservice = nullptr;
    QLabel *labtestservice = nullptr;
    // Extra trusted certificates for an HTTPS host, the pause between two requests, the order.
    QLineEdit *txtcafile = nullptr;
    QLineEdit *txtrequestdelay = nullptr;
    QLineEdit *txtmaxreply = nullptr;
    QCheckBox *chkshuffle = nullptr;
    // When a ranking moves far enough to be told, and the program told besides the tray.
    QLineEdit *txtalertdelta = nullptr;
    QLineEdit *txtalertcommand = nullptr;
    QComboBox *chocolor = nullptr;
    QPushButton *cmdgetapi = nullptr;
    QPushButton *btnoptionscont = nullptr;
    QPushButton *btnoptcancel = nullptr;

    // Whether connections and txttimeout hold numbers a search can use; where one does not,
    // labnumbers says why and the box has the focus.
    bool numbersusable();
    // Shows or clears labnumbers for the numbers the boxes hold now.
    void saynumbers();

    // The reason this copy cannot start with the computer; "" where it can.
    void setstartupnote(const QString &note);

    // Shows the engine, keeping the API check box and the service's boxes in step with it.
    void setengine(const QString &engine);
    QString engine() const;

private:
    // Says a refusal of connections (0) or txttimeout (1) in labnumbers.
    numberbox::Say sayer(int box);
    void namecontrols();
    void showstartupnote();
    void syncengine();

    QString m_refusals[2];
};
