#pragma once

#include "searchservice.h"

#include <QStringList>

// How a JSON service lays out its answer to a search.
struct JsonShape
{
    QStringList list;         // the members leading down to the array of hits: {"web", "results"}
    QString url;              // a hit's address
    QString abstract;         // a hit's snippet
    bool numbered = false;    // each hit carries its "position"
    QString landmark;         // a member every answer to a search holds, with hits or without
    bool apistatuses = false; // 401 says the key was refused, 402 and 429 that the allowance is used up
};

// The request line's target and the lines every JSON request carries. Through a plain-HTTP
// proxy the target is the absolute address; over TLS the proxy only tunnels, so it is not.
HttpRequest jsonrequest(const Settings &settings, const ServiceTarget &target, const QString &server,
                        const QString &host, const QString &pathquery);
// The text percent-encoded as UTF-8, as a query's values are sent.
QString percent(const QString &text);
// "&name=value" for each pair whose value is set, the values percent-encoded.
QString localequery(const QList<std::pair<QString, QString>> &parameters);

// The upstream engines a metasearch names as having given nothing, each as "name: reason" or the
// name alone: all of them, and those whose reason is a refusal.
struct Upstreams
{
    QStringList silent;
    QStringList refused;
};

// Reads a JSON service's reply: its error object whatever the status, then the status line,
// then the hits. `upstreams` receives the upstream engines a metasearch names.
ServicePage readjsonpage(const ServiceReply &reply, const JsonShape &shape, int hitsbefore,
                         Upstreams *upstreams = nullptr);

// A service that answers in JSON at the "engineurl" setting. Its replies are UTF-8, read from
// the fetcher's one-character-per-byte text.
class JsonService : public SearchService
{
public:
    ServiceTarget target() const override;
    ServicePage read(const ServiceReply &reply, Int16 page, int hitsbefore) const override;

protected:
    JsonService(const Settings &settings, JsonShape shape) : SearchService(settings), m_shape(std::move(shape)) {}

    const JsonShape m_shape;
};

// A service's error text as a verdict, in the wordings the vendors use and have used: a key
// refused or missing, an allowance used up (credit, searches, quota, plan, limit), a search
// without results; any other error is the service's failure.
ServicePage errorverdict(const QString &error);
