#pragma once

#include "diagnostics/int16.h"
#include "search/searchlocale.h"
#include "search/settings.h"

#include <QString>

// The request texts for one page of one keyword. The proxy form is used when `server`
// differs from `host`; the proxy credentials and the API key come from the settings. A locale's
// language and country go in the engine's own parameters (the page's hl and gl, the SOAP call's
// lr and restrict); an empty locale asks exactly as the engine was always asked.
QString getgoogle(const Settings &settings, const QString &server, const QString &host, const QString &key, Int16 page,
                  const SearchLocale &locale = {});
QString getgoogleapi(const Settings &settings, const QString &server, const QString &host, const QString &key,
                     Int16 page, const SearchLocale &locale = {});
// The browser every request presents itself as: the "User-Agent: " line without its line end.
QString useragent();
// The text without one leading space.
QString strip(const QString &text);
