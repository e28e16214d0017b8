#pragma once

#include "searchservice.h"

// The two services Zorvane was first written for: the engine's HTML result page and its SOAP
// service. Their requests and hits are those of getgoogle/geturls_google and
// getgoogleapi/geturls_googleapi; what they add is telling a refusal from a page without hits.
class HtmlService final : public SearchService
{
public:
    explicit HtmlService(const Settings &settings) : SearchService(settings) {}

    ServiceTarget target() const override;
    QString request(const QString &server, const QString &host, const QString &key, Int16 page,
                    const SearchLocale &locale) const override;
    ServicePage read(const ServiceReply &reply, Int16 page, int hitsbefore) const override;
    bool readstext() const override { return true; }
};

class SoapService final : public SearchService
{
public:
    explicit SoapService(const Settings &settings) : SearchService(settings) {}

    ServiceTarget target() const override;
    QString request(const QString &server, const QString &host, const QString &key, Int16 page,
                    const SearchLocale &locale) const override;
    ServicePage read(const ServiceReply &reply, Int16 page, int hitsbefore) const override;
    bool readstext() const override { return true; }
};
