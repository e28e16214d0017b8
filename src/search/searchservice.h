#pragma once

#include "diagnostics/int16.h"
#include "searchlocale.h"
#include "settings.h"
#include "verdict.h"

#include <QList>
#include <QString>

#include <memory>
#include <utility>

// A complete reply as the fetcher received it (one character per byte), split for a service.
struct ServiceReply
{
    int status = 0;  // the code of the status line; 0 when the reply has none
    QString headers; // the header lines after the status line, as received
    QString source;  // the reply, or its body when the chunked coding was undone
    qsizetype bodyfrom = 0;
    QString text; // the whole reply as the page scanners read it: de-chunked, line feeds as "\r\n"

    // The body, chunked transfer coding undone (a view of `source`, so a large reply is not copied).
    QStringView body() const { return QStringView(source).sliced(bodyfrom); }

    // The value of the first header of that name (case-insensitive), trimmed; "" when missing.
    QString header(QStringView name) const;
};

// Splits a raw reply. Decodes the chunked coding once for both the body and, when asked for,
// the page scanners' `text`.
ServiceReply splitreply(const QString &raw, bool withtext = true);

struct ServiceHit
{
    QString url;
    QString title;
    QString abstract;
    qint64 position = 0; // absolute and 1-based; the fetcher stores it in 16 bits
};

// What one reply says about the keyword's page.
struct ServicePage
{
    using Verdict = ::Verdict;
    Verdict verdict = Verdict::Results;
    QList<ServiceHit> hits;
    QString status; // the keyword's status for every verdict but Results and NoResults
    QString note;   // beside the hits: what the keyword's status adds ("duckduckgo: CAPTCHA")

    // A page that ends its keyword without a result.
    bool unanswered() const { return verdict >= Verdict::Blocked && verdict != Verdict::Fault; }
};

// Where a service's requests go when no proxy is used.
struct ServiceTarget
{
    // As a search host is written: "name", "name:port" or "https://name[:port]"; the requests'
    // Host line and the proxy form come from it.
    QString host;
    QString port; // where to connect
    bool tls = false;
    QString prefix;  // the path the service lives under, without a trailing "/"; "" for the root
    QString problem; // why the settings name no usable address; "" when they do
};

// A search service: builds the request for one page of a keyword and reads the reply to it.
// The fetcher and the run know only this, never which service is behind it.
class SearchService
{
public:
    virtual ~SearchService() = default;

    virtual ServiceTarget target() const = 0;
    // The request text for the zero-based page. `server` is where the connection goes (the
    // proxy, or the search host) and `host` the search host as target() names it. The locale
    // (the searched domain's) goes in the service's own parameters; an empty one sends none.
    virtual QString request(const QString &server, const QString &host, const QString &key, Int16 page,
                            const SearchLocale &locale) const = 0;
    // Reads a complete reply to the zero-based page, the job holding `hitsbefore` hits so far.
    virtual ServicePage read(const ServiceReply &reply, Int16 page, int hitsbefore) const = 0;
    // Whether read() needs the reply's `text`, which costs a copy of the whole reply.
    virtual bool readstext() const { return false; }
    // The most result pages the service gives for one keyword; a deeper search is refused at
    // the start rather than ending every keyword on an error page.
    virtual int deepestpage() const { return 32767; }

protected:
    // Every service reads its hosts, keys and proxy from the settings at the time of asking.
    explicit SearchService(const Settings &settings) : m_settings(settings) {}
    const Settings &m_settings;
};

// The engine setting's values.
namespace engines {
inline const QString html = QStringLiteral("html");
inline const QString soap = QStringLiteral("soap");
inline const QString searxng = QStringLiteral("searxng");
inline const QString serpapi = QStringLiteral("serpapi");
inline const QString brave = QStringLiteral("brave");
inline const QString serper = QStringLiteral("serper");
} // namespace engines

// The engines the settings may name, in the order a chooser lists them.
QStringList enginenames();
// The engine the settings name, in lower case; an unknown or empty name reads as "html".
QString enginename(const Settings &settings);
// Whether the engine is one of the services that answer in JSON at "engineurl", and whether it
// needs "enginekey".
bool isjsonengine(const QString &engine);
bool needsenginekey(const QString &engine);
// Whether a run's jobs start with the SOAP service: the useapi flag, or engine "soap".
bool usesoap(const Settings &settings);
// The service a job uses: a job that fell back from SOAP asks with useapi false.
std::unique_ptr<SearchService> makeservice(const Settings &settings, bool useapi);

// Reads an engine address such as "https://searx.example:8443/searx" or "127.0.0.1:8888"
// (http when no scheme is written).
ServiceTarget parseengineurl(const QString &url);

// A request in parts, written out as the exact text that goes on the wire.
struct HttpRequest
{
    QString method = QStringLiteral("GET");
    QString path; // with the query, already percent-encoded
    QList<std::pair<QString, QString>> headers;
    QByteArray body;

    QString text() const;
};

// The verdict the status line decides alone (every service): a proxy asking for credentials,
// a redirect, or 403, 429 and 503. Results when it decides nothing.
ServicePage statusverdict(int status);
// A page of that verdict, its status written by verdictstatus.
ServicePage verdictpage(Verdict verdict, const QString &detail);
