#pragma once

#include <QString>

struct SearchState;
class SearchWindow;
class Prompts;

// The user's list of domains: the combo box items mirror `urldata`, the combo box text is the
// domain being worked on, and `txturl` is that text normalised.
class DomainList final
{
public:
    DomainList(SearchState &state, SearchWindow &window, Prompts &prompts);

    // Normalises the combo box text into `txturl` and writes it back: no spaces, lower case,
    // one leading "http://" or "https://" and then one leading "www." removed.
    void sanitizeurl();
    void cmdadddomain_Click();
    void cmddeletedomain_Click();
    void cmdsavechanges_Click();
    void txturls_Click();

    // Loads the window's page depth, check boxes and keywords into urldata(index); the keyword
    // results become fresh empty ones.
    void getdat(int index);
    // Whether the keyword box's keywords fit one domain; when not, says which did not, and
    // nothing is changed.
    bool keysfit();

private:
    SearchState &m_state;
    SearchWindow &m_window;
    Prompts &m_prompts;
};
