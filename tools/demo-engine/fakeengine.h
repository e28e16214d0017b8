#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMap>
#include <QObject>
#include <QString>
#include <QTcpServer>

#include <functional>

class QTcpSocket;

// A search engine on 127.0.0.1 that serves result pages in the markup of the mid-2000s HTML
// page and of the SOAP service, so searches run end to end without the real network. Pages
// are filled with other sites' hits except where a test places a URL; each keyword and page can
// be told to misbehave. It also accepts the proxy form of a request, so it can stand in for a
// proxy, and serves the update file "/update.txt". Needs only QtCore and QtNetwork, so a demo
// program can embed it.
class FakeEngine final : public QObject
{
    Q_OBJECT
public:
    enum class Reply
    {
        Page,          // a result page (or SOAP result), after the delay
        Fault,         // to a SOAP request a fault with `fault` as its fault string; to HTML a page
        Hang,          // accept and read, never answer, never close
        CloseEarly,    // close as soon as the request is read, sending nothing
        Reset,         // reset the connection (RST) as soon as the request is read
        Raw,           // send `raw` as it is, then close
        Endless,       // send headers and then filler for as long as the client reads
        Status,        // the HTTP status `status` with a short page (a redirect to a consent page for 3xx)
        Captcha,       // the engine's "unusual traffic" page; from SearXNG no results, its engine met a captcha
        PartlyRefused, // from SearXNG the page's results with one more engine that met a captcha
    };
    struct Behaviour
    {
        Reply reply = Reply::Page;
        int delayms = 0;
        QString fault;
        QByteArray raw;
        int piece = 0;  // when set, replies go out in pieces of this many bytes, 1 ms apart
        int status = 0; // for Reply::Status
    };
    struct Hit
    {
        QString url;
        QString title;
        QString snippet;
    };
    struct Request
    {
        QByteArray raw;
        QString keyword; // decoded from q ("+" and "%22" undone)
        int page = 0;    // zero-based, from the start value
        bool soap = false;
        bool update = false; // a request for the update file
        QString format;      // "searxng", "serpapi", "brave" or "serper" for a JSON request, else ""
    };

    explicit FakeEngine(QObject *parent = nullptr);
    ~FakeEngine() override;

    // Listens on 127.0.0.1 at `port` (0: any free port).
    bool listen(quint16 port = 0);
    quint16 port() const { return m_port; }
    // "127.0.0.1:port", as the search host settings take it.
    QString hostport() const;
    // Stops listening, so connections are refused; resume() listens again on the same port.
    void refuse();
    bool resume();

    // Puts `url` at the absolute 1-based position of the keyword's results.
    void place(const QString &keyword, int position, const QString &url);
    // Replaces the hits of one zero-based page of a keyword.
    void setHits(const QString &keyword, int page, const QList<Hit> &hits);
    // How one page of a keyword is answered; page -1 means every page of the keyword.
    void setBehaviour(const QString &keyword, int page, const Behaviour &behaviour);
    void setDefaultBehaviour(const Behaviour &behaviour) { m_default = behaviour; }
    // Fills the pages of every keyword nothing was placed or set for (the demo's ranking).
    using PageSource = std::function<QList<Hit>(const QString &keyword, int page)>;
    void setPageSource(PageSource source) { m_source = std::move(source); }
    void setChunked(bool chunked) { m_chunked = chunked; }
    // The version the update file announces ("V1.2.3"); the program's own by default.
    void setAnnounce(const QString &version) { m_announce = version; }
    QByteArray updateReply() const;

    const QList<Request> &requests() const { return m_requests; }
    QList<int> pagesRequested(const QString &keyword) const;
    int openConnections() const { return m_open; }
    int maxOpenConnections() const { return m_maxOpen; }
    void clearRecords();

    // The hits a page shows: placed URLs where placed, other sites' hits elsewhere.
    QList<Hit> hits(const QString &keyword, int page) const;
    QByteArray htmlReply(const QList<Hit> &hits) const;
    QByteArray soapReply(const QList<Hit> &hits) const;
    QByteArray faultReply(const QString &fault) const;
    // The JSON services' replies (jsonreplies.cpp): a result page, SearXNG's page with an upstream
    // engine that met a captcha, and each key service's error object (`fault` is its text).
    QByteArray searxngReply(const QString &keyword, int page, const QList<Hit> &hits, bool captcha = false) const;
    QByteArray serpapiReply(const QString &keyword, int page, const QList<Hit> &hits) const;
    QByteArray braveReply(const QString &keyword, int page, const QList<Hit> &hits) const;
    QByteArray serperReply(const QString &keyword, int page, const QList<Hit> &hits) const;
    QByteArray apiError(const QString &format, const QString &error) const;
    QByteArray statusReply(int status) const;
    QByteArray captchaReply() const;

    static QString ownVersion();

signals:
    void requestReceived(int index);

private:
    void onConnection();
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const Request &request);
    QByteArray pageReply(const Request &request, const Behaviour &how) const;
    void send(QTcpSocket *socket, const QByteArray &reply, int piece = 0);
    void sendEndless(QTcpSocket *socket);
    Behaviour behaviour(const Request &request) const;
    QByteArray wrap(const QByteArray &body, const QByteArray &contentType) const;

    QTcpServer m_server;
    quint16 m_port = 0;
    QHash<QTcpSocket *, QByteArray> m_pending;
    QHash<QString, QMap<int, QString>> m_placed;
    QHash<QString, QMap<int, QList<Hit>>> m_pages;
    QHash<QString, QMap<int, Behaviour>> m_behaviours;
    Behaviour m_default;
    PageSource m_source;
    bool m_chunked = false;
    QString m_announce = ownVersion();
    QList<Request> m_requests;
    int m_open = 0;
    int m_maxOpen = 0;
};
