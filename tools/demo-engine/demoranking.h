#pragma once

#include "fakeengine.h"

#include <QList>
#include <QString>

// The demo's invented web. Any keyword gets result pages in which the demo domain ranks at a
// place of its own (near the top, a few pages down, or beyond anything worth fetching), among
// other invented sites with titles and snippets. Everything follows from the keyword's text, so
// the same keyword always ranks the same and a search can be repeated.
class DemoRanking final
{
public:
    explicit DemoRanking(const QString &domain);

    QList<FakeEngine::Hit> page(const QString &keyword, int page) const;
    // The absolute 1-based positions of the demo domain's hits for the keyword.
    QList<int> domainpositions(const QString &keyword) const;

private:
    FakeEngine::Hit domainhit(const QString &keyword, int nth) const;
    FakeEngine::Hit otherhit(const QString &keyword, int position) const;

    QString m_domain;
};
