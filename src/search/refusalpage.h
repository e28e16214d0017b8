#pragma once

#include <QString>
#include <QStringView>

// Pages a search host, or a CDN in front of it, sends instead of results to a client it takes
// for a robot. They are told apart by their structure alone, never by words that a result's
// title or snippet could hold as well:
// - challenge pages: the title "Just a moment..." or "Attention Required! | Cloudflare", a form
//   whose target is a "/cdn-cgi/" or "__cf_chl" address or whose id is "challenge-form", a form
//   sending to an "anomaly" check, or a script from "/cdn-cgi/challenge-platform/" (also as an
//   inline "_cf_chl_opt" setting) or from challenges.cloudflare.com;
// - captcha pages: the title "Sorry..." or "Captcha", a form sending to a "/sorry/" address or
//   whose id is "captcha-form", or a reCAPTCHA, hCaptcha or ALTCHA script;
// - consent pages: a title beginning "Before you continue", or a form sending to a "consent."
//   host. A link to such a host (in a footer, say) is not a form and does not count.
// Callers ask only about pages that hold no hits: a page with hits is a result page.

// The kind of refusal page the page is: "challenge page", "captcha page" or "consent page";
// "" when it is none of them.
QString refusalpage(QStringView page);
