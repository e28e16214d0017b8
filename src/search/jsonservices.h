#pragma once

#include "jsonreply.h"

// A SearXNG instance: GET /search?...&format=json, hits in results[].url.
class SearxngService final : public JsonService
{
public:
    explicit SearxngService(const Settings &settings);

    QString request(const QString &server, const QString &host, const QString &key, Int16 page,
                    const SearchLocale &locale) const override;
    ServicePage read(const ServiceReply &reply, Int16 page, int hitsbefore) const override;
};

// A commercial SERP API in the widely used shape: GET /search.json?...&api_key=KEY, hits in
// organic_results[] with link and position.
class SerpApiService final : public JsonService
{
public:
    explicit SerpApiService(const Settings &settings);

    QString request(const QString &server, const QString &host, const QString &key, Int16 page,
                    const SearchLocale &locale) const override;
};
