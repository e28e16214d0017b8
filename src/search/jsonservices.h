#pragma once

#include "searchservice.h"

// Result services that answer in JSON, reached at the "engineurl" setting. Their replies are
// UTF-8, read from the fetcher's one-character-per-byte text.
class SearxngService final : public SearchService
{
public:
    explicit SearxngService(const Settings &settings) : SearchService(settings) {}

    ServiceTarget target() const override;
    QString request(const QString &server, const QString &host, const QString &key, Int16 page) const override;
    ServicePage read(const ServiceReply &reply, Int16 page, int hitsbefore) const override;
};

class SerpApiService final : public SearchService
{
public:
    explicit SerpApiService(const Settings &settings) : SearchService(settings) {}

    ServiceTarget target() const override;
    QString request(const QString &server, const QString &host, const QString &key, Int16 page) const override;
    ServicePage read(const ServiceReply &reply, Int16 page, int hitsbefore) const override;
};
