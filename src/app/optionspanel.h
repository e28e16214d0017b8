#pragma once

#include "popuppanel.h"

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
    QCheckBox *chkhelp = nullptr;
    QCheckBox *chkuseapi = nullptr;
    QCheckBox *chkuseproxy = nullptr;
    QLineEdit *connections = nullptr;
    QLineEdit *txttimeout = nullptr;
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

    // Shows the engine, keeping the API check box and the service's boxes in step with it.
    void setengine(const QString &engine);
    QString engine() const;

private:
    void syncengine();
    QLineEdit *box(const QString &name, int width = 0);
    QLabel *label(const QString &name, const QString &caption);
};
