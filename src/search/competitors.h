#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

struct SearchSession;
struct SearchState;
class SearchWindow;

// A domain's competitors: other domains whose positions are read from the pages fetched for
// the domain's keywords, never fetched on their own, and kept as domains of the list.
namespace competitors {

// The competitors as typed (separated by commas or spaces), each as the domain box keeps a
// domain, once each, without the domain itself.
QStringList read(const QString &text, const QString &domain);
// As the settings file and the competitors box show them.
QString text(const QStringList &competitors);
// Builds the session of each competitor of domain `owner` from the pages its run read, by the
// same match rule, as if the competitor had been searched with the owner's keywords and
// settings; a competitor not yet in the list is added to it and to the domain box.
void derive(SearchState &state, SearchWindow &window, int owner);
// The end of a run: the competitors of the run's domain are built, the requests the run saved
// are told and, at the end of a scheduled cycle, those of the cycle, whose pages are let go.
void runended(SearchState &state, SearchWindow &window);
// Every domain some domain of the list names as its competitor.
QSet<QString> named(const SearchState &state);
// Whether the session is the competitor of another domain of the list (`named` above) and names
// none of its own, so that a scheduled cycle takes its results from that domain's search instead
// of searching it.
bool derived(const SearchSession &session, const QSet<QString> &named);

} // namespace competitors
