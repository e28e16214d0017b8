#pragma once

#include <QStringView>

#include <vector>

// Finds, among texts recorded with a number, the smallest number of a text that is a prefix of
// a given text or has it as a prefix, in time proportional to the given text's length. Texts
// are only ever added: a record renamed to a shorter text keeps its longer one here too, which
// never changes an answer, because anything comparable with the longer text is comparable with
// every prefix of it.
class PrefixIndex final
{
public:
    void clear();
    void insert(QStringView text, int number);
    // The smallest number found, or 0 when no recorded text is comparable with text.
    int first(QStringView text) const;

private:
    static constexpr int None = -1;
    static constexpr int Unset = 0x7fffffff;

    struct Node
    {
        char16_t ch = 0;
        int child = None;
        int sibling = None;
        int exact = Unset; // smallest number of a text ending here
        int below = Unset; // smallest number of a text ending here or further down
    };

    int childof(int node, char16_t ch) const;

    std::vector<Node> m_nodes{Node{}};
};
