#include "fakeengine.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

#include <sys/socket.h>

using namespace Qt::Literals::StringLiterals;

namespace {

constexpr int HitsPerPage = 10;

// Everything after `marker` up to the first of the `stops`, or "" when the marker is missing.
QByteArray after(const QByteArray &text, QByteArrayView marker, QByteArrayView stops, qsizetype from = 0)
{
    const qsizetype at = text.indexOf(marker, from);
    if (at < 0)
        return {};
    qsizetype end = at + marker.size();
    while (end < text.size() && !stops.contains(text[end]))
        ++end;
    return text.mid(at + marker.size(), end - at - marker.size());
}

// The request's byte count when it is complete, else -1.
qsizetype requestLength(const QByteArray &data)
{
    const qsizetype headerEnd = data.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return -1;
    const QByteArray headers = data.first(headerEnd).toLower();
    const qsizetype length = after(headers + "\r", "\ncontent-length:", "\r").trimmed().toLongLong();
    const qsizetype total = headerEnd + 4 + length;
    return data.size() >= total ? total : -1;
}

// A request of one of the JSON services, which percent-encode UTF-8 and count pages their own
// way; false when it is none of theirs.
bool parseJsonRequest(const QByteArray &line, const QByteArray &body, FakeEngine::Request &request)
{
    if (line.startsWith("POST") && body.startsWith('{')) {
        const QJsonObject query = QJsonDocument::fromJson(body).object();
        request.format = u"serper"_s;
        request.keyword = query.value(u"q").toString();
        request.page = qMax(0, query.value(u"page").toInt(1) - 1);
        return true;
    }
    struct Form
    {
        const char *marker, *query, *number;
        QString format;
        int perpage; // what one page adds to the number; 1 when it counts pages from 1
    };
    const Form forms[] = {{"/search.json?", "&q=", "&start=", u"serpapi"_s, HitsPerPage},
                          {"&format=json", "?q=", "&pageno=", u"searxng"_s, 1},
                          {"/res/v1/web/search?", "?q=", "&offset=", u"brave"_s, 0}};
    for (const Form &form : forms) {
        if (!line.contains(form.marker))
            continue;
        request.format = form.format;
        request.keyword = QUrl::fromPercentEncoding(after(line, form.query, "& ").replace('+', ' '));
        const int number = after(line, form.number, "& ").toInt();
        request.page = form.perpage == 0 ? number : (form.perpage == 1 ? qMax(0, number - 1) : number / form.perpage);
        return true;
    }
    return false;
}

FakeEngine::Request parseRequest(const QByteArray &raw)
{
    FakeEngine::Request request;
    request.raw = raw;
    const QByteArray line = raw.first(raw.indexOf("\r\n"));
    const QByteArray body = raw.sliced(raw.indexOf("\r\n\r\n") + 4);
    if (parseJsonRequest(line, body, request))
        return request;
    request.soap = raw.startsWith("POST");
    QByteArray query;
    QByteArray start;
    if (request.soap) {
        const qsizetype q = raw.indexOf("<q ");
        query = after(raw, ">", "<", q < 0 ? raw.size() : q);
        const qsizetype s = raw.indexOf("<start ");
        start = after(raw, ">", "<", s < 0 ? raw.size() : s);
    } else {
        request.update = after(line, " ", " ").endsWith("/update.txt");
        query = after(line, "&q=", " ");
        start = after(line, "&start=", "& ");
    }
    query.replace('+', ' ').replace("%22", "\"");
    request.keyword = QString::fromLatin1(query);
    request.page = start.trimmed().toInt() / HitsPerPage;
    return request;
}

QByteArray chunk(const QByteArray &body)
{
    // Chunks split at arbitrary places, sizes in lower-case hex, as the real server sent them.
    QByteArray out;
    for (qsizetype at = 0; at < body.size(); at += 700) {
        const QByteArray piece = body.mid(at, 700);
        out += QByteArray::number(piece.size(), 16) + "\r\n" + piece + "\r\n";
    }
    return out + "0\r\n\r\n";
}

} // namespace

FakeEngine::FakeEngine(QObject *parent) : QObject(parent)
{
    connect(&m_server, &QTcpServer::newConnection, this, &FakeEngine::onConnection);
}

FakeEngine::~FakeEngine()
{
    m_server.close();
    // The connections outlive nothing they report to.
    for (QTcpSocket *socket : m_server.findChildren<QTcpSocket *>()) {
        socket->disconnect(this);
        delete socket;
    }
}

bool FakeEngine::listen(quint16 port)
{
    if (!m_server.listen(QHostAddress::LocalHost, port))
        return false;
    m_port = m_server.serverPort();
    return true;
}

QString FakeEngine::hostport() const
{
    return u"127.0.0.1:"_s + QString::number(m_port);
}

void FakeEngine::refuse()
{
    m_server.close();
}

bool FakeEngine::resume()
{
    return m_server.isListening() || listen(m_port);
}

void FakeEngine::place(const QString &keyword, int position, const QString &url)
{
    m_placed[keyword][position] = url;
}

void FakeEngine::setHits(const QString &keyword, int page, const QList<Hit> &hits)
{
    m_pages[keyword][page] = hits;
}

void FakeEngine::setBehaviour(const QString &keyword, int page, const Behaviour &behaviour)
{
    m_behaviours[keyword][page] = behaviour;
}

QList<int> FakeEngine::pagesRequested(const QString &keyword) const
{
    QList<int> pages;
    for (const Request &request : m_requests) {
        if (request.keyword == keyword)
            pages.append(request.page);
    }
    return pages;
}

void FakeEngine::clearRecords()
{
    m_requests.clear();
    m_maxOpen = m_open;
}

QList<FakeEngine::Hit> FakeEngine::hits(const QString &keyword, int page) const
{
    const auto pages = m_pages.constFind(keyword);
    if (pages != m_pages.cend() && pages->contains(page))
        return pages->value(page);
    if (m_source && !m_placed.contains(keyword))
        return m_source(keyword, page);
    QList<Hit> hits;
    const QMap<int, QString> placed = m_placed.value(keyword);
    for (int i = 1; i <= HitsPerPage; ++i) {
        const int position = page * HitsPerPage + i;
        const QString n = QString::number(position);
        const QString url = placed.value(position, u"http://www.other"_s + n + u".example.net/results.html"_s);
        hits.append({url, u"Result <b>"_s + n + u"</b> for "_s + keyword, u"Snippet of result "_s + n});
    }
    return hits;
}

QByteArray FakeEngine::wrap(const QByteArray &body, const QByteArray &contentType) const
{
    QByteArray headers = "HTTP/1.1 200 OK\r\nServer: GWS/2.1\r\nContent-Type: " + contentType + "\r\n";
    if (m_chunked)
        return headers + "Transfer-Encoding: chunked\r\nConnection: close\r\n\r\n" + chunk(body);
    return headers + "Content-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

QByteArray FakeEngine::htmlReply(const QList<Hit> &hits) const
{
    QString body = u"<html><head><title>Search results</title></head><body>\n"_s;
    for (const Hit &hit : hits) {
        body += u"<p class=g><a href="_s + hit.url + u" onmousedown=\"return clk(this)\">"_s + hit.title +
                u"</a><br>\n<font size=-1>"_s + hit.snippet + u"<br><font color=#008000>"_s + hit.url +
                u" - 12k - </font><nobr><a class=fl href=\"/search?q=cache\">Cached</a></nobr></font>\n"_s;
    }
    if (hits.isEmpty())
        body += u"Your search did not match any documents.\n"_s;
    body += u"</body></html>\n"_s;
    return wrap(body.toLatin1(), "text/html; charset=ISO-8859-1");
}

QByteArray FakeEngine::soapReply(const QList<Hit> &hits) const
{
    QString items;
    for (const Hit &hit : hits) {
        items += u"<item xsi:type=\"ns1:ResultElement\"><URL xsi:type=\"xsd:string\">"_s + hit.url +
                 u"</URL><cachedSize xsi:type=\"xsd:string\">12k</cachedSize><snippet xsi:type=\"xsd:string\">"_s +
                 QString(hit.snippet).replace(u'<', u"&lt;"_s).replace(u'>', u"&gt;"_s) +
                 u"</snippet><title xsi:type=\"xsd:string\">"_s +
                 QString(hit.title).replace(u'<', u"&lt;"_s).replace(u'>', u"&gt;"_s) + u"</title></item>"_s;
    }
    const QString body =
        u"<?xml version='1.0' encoding='UTF-8'?>\n<SOAP-ENV:Envelope "
        "xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\" "
        "xmlns:xsi=\"http://www.w3.org/1999/XMLSchema-instance\" xmlns:xsd=\"http://www.w3.org/1999/XMLSchema\">\n"
        "<SOAP-ENV:Body><ns1:doGoogleSearchResponse xmlns:ns1=\"urn:GoogleSearch\">"
        "<return xsi:type=\"ns1:GoogleSearchResult\"><resultElements xsi:type=\"ns3:Array\" "
        "ns3:arrayType=\"ns1:ResultElement["_s +
        QString::number(hits.size()) + u"]\">"_s + items +
        u"</resultElements></return></ns1:doGoogleSearchResponse></SOAP-ENV:Body></SOAP-ENV:Envelope>\n"_s;
    return wrap(body.toLatin1(), "text/xml; charset=utf-8");
}

QByteArray FakeEngine::faultReply(const QString &fault) const
{
    const QString body = u"<?xml version='1.0' encoding='UTF-8'?>\n<SOAP-ENV:Envelope "
                         "xmlns:SOAP-ENV=\"http://schemas.xmlsoap.org/soap/envelope/\"><SOAP-ENV:Body>"
                         "<SOAP-ENV:Fault><faultcode>SOAP-ENV:Server</faultcode><faultstring>"_s +
                         fault +
                         u"</faultstring><faultactor>/search/beta2</faultactor><detail>stackTrace</detail>"
                         "</SOAP-ENV:Fault></SOAP-ENV:Body></SOAP-ENV:Envelope>\n"_s;
    return wrap(body.toLatin1(), "text/xml; charset=utf-8");
}

QString FakeEngine::ownVersion()
{
    return u"V%1.%2.%3"_s.arg(ZORVANE_VERSION_MAJOR).arg(ZORVANE_VERSION_MINOR).arg(ZORVANE_VERSION_PATCH);
}

QByteArray FakeEngine::updateReply() const
{
    return wrap("<" + m_announce.toLatin1() + ">\r\n", "text/plain");
}

void FakeEngine::onConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        m_maxOpen = qMax(m_maxOpen, ++m_open);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
            --m_open;
            m_pending.remove(socket);
            socket->deleteLater();
        });
    }
}

void FakeEngine::onReadyRead(QTcpSocket *socket)
{
    QByteArray &data = m_pending[socket];
    data += socket->readAll();
    const qsizetype length = requestLength(data);
    if (length < 0)
        return;
    const Request request = parseRequest(data.first(length));
    data.clear();
    m_requests.append(request);
    emit requestReceived(int(m_requests.size()) - 1);
    const Behaviour how = behaviour(request);
    if (how.delayms > 0)
        QTimer::singleShot(how.delayms, socket, [this, socket, request] { answer(socket, request); });
    else
        answer(socket, request);
}

FakeEngine::Behaviour FakeEngine::behaviour(const Request &request) const
{
    const QMap<int, Behaviour> pages = m_behaviours.value(request.keyword);
    if (pages.contains(request.page))
        return pages.value(request.page);
    return pages.value(-1, m_default);
}

void FakeEngine::answer(QTcpSocket *socket, const Request &request)
{
    const Behaviour how = behaviour(request);
    const QList<Hit> page = hits(request.keyword, request.page);
    switch (how.reply) {
    case Reply::Page:
        send(socket, pageReply(request, how), how.piece);
        break;
    case Reply::Fault:
        // The SOAP service and the key services fault; the HTML page and SearXNG answer.
        if (!request.format.isEmpty() && request.format != u"searxng")
            send(socket, apiError(request.format, how.fault));
        else if (request.format == u"searxng")
            send(socket, searxngReply(request.keyword, request.page, page));
        else
            send(socket, request.soap ? faultReply(how.fault) : htmlReply(page));
        break;
    case Reply::Status:
        send(socket, statusReply(how.status));
        break;
    case Reply::Captcha:
        if (request.format == u"searxng")
            send(socket, searxngReply(request.keyword, request.page, {}, true));
        else
            send(socket, captchaReply());
        break;
    case Reply::PartlyRefused:
        send(socket, searxngReply(request.keyword, request.page, page, true));
        break;
    case Reply::Hang:
        break;
    case Reply::CloseEarly:
        socket->disconnectFromHost();
        break;
    case Reply::Reset: {
        // A zero linger time makes the close send RST instead of FIN.
        const linger immediate{1, 0};
        ::setsockopt(int(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &immediate, sizeof immediate);
        socket->abort();
        break;
    }
    case Reply::Raw:
        send(socket, how.raw);
        break;
    case Reply::Endless:
        sendEndless(socket);
        break;
    }
}

void FakeEngine::send(QTcpSocket *socket, const QByteArray &reply, int piece)
{
    if (piece <= 0 || reply.size() <= piece) {
        socket->write(reply);
        socket->disconnectFromHost();
        return;
    }
    socket->write(reply.first(piece));
    socket->flush();
    const QByteArray rest = reply.sliced(piece);
    QTimer::singleShot(1, socket, [this, socket, rest, piece] { send(socket, rest, piece); });
}

void FakeEngine::sendEndless(QTcpSocket *socket)
{
    static const QByteArray filler = QByteArray("<p class=g>endless ").repeated(3449);
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n\r\n");
    socket->write(filler);
    connect(socket, &QTcpSocket::bytesWritten, socket, [socket] {
        if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < filler.size())
            socket->write(filler);
    });
}
