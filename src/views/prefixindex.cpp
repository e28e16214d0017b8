#include "prefixindex.h"

#include <algorithm>

void PrefixIndex::clear()
{
    m_nodes.assign(1, Node{});
}

int PrefixIndex::childof(int node, char16_t ch) const
{
    for (int c = m_nodes[node].child; c != None; c = m_nodes[c].sibling) {
        if (m_nodes[c].ch == ch)
            return c;
    }
    return None;
}

void PrefixIndex::insert(QStringView text, int number)
{
    int node = 0;
    m_nodes[0].below = std::min(m_nodes[0].below, number);
    for (const QChar c : text) {
        int next = childof(node, c.unicode());
        if (next == None) {
            next = int(m_nodes.size());
            Node added;
            added.ch = c.unicode();
            added.sibling = m_nodes[node].child;
            m_nodes.push_back(added);
            m_nodes[node].child = next;
        }
        node = next;
        m_nodes[node].below = std::min(m_nodes[node].below, number);
    }
    m_nodes[node].exact = std::min(m_nodes[node].exact, number);
}

int PrefixIndex::first(QStringView text) const
{
    int best = m_nodes[0].exact;
    int node = 0;
    for (const QChar c : text) {
        node = childof(node, c.unicode());
        if (node == None)
            return best == Unset ? 0 : best;
        best = std::min(best, m_nodes[node].exact);
    }
    best = std::min(best, m_nodes[node].below);
    return best == Unset ? 0 : best;
}
