#pragma once

#include "jsonreply.h"

// Search APIs sold with a key, reached at the "engineurl" setting with the key in "enginekey".

// The Brave Search API: GET /res/v1/web/search, the key in X-Subscription-Token, pages by
// count and offset (the offset counts pages), hits in web.results[].url.
class BraveService final : public JsonService
{
public:
    explicit BraveService(const Settings &settings);

    QString request(const QString &server, const QString &host, const QString &key, Int16 page,
                    const SearchLocale &locale) const override;
    // The API's offset stops at 9.
    int deepestpage() const override { return 10; }
};

// Serper: POST /search with a JSON body, the key in X-API-KEY, hits in organic[] with link and
// position.
class SerperService final : public JsonService
{
public:
    explicit SerperService(const Settings &settings);

    QString request(const QString &server, const QString &host, const QString &key, Int16 page,
                    const SearchLocale &locale) const override;
};
