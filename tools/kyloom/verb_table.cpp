#include "verb_table.h"

#include <algorithm>
#include <cstring>

namespace orvane {

VerbTable &VerbTable::instance()
{
    static VerbTable table;
    return table;
}

void VerbTable::add(const Verb &verb) { m_verbs.push_back(verb); }

const Verb *VerbTable::find(const std::string &name) const
{
    for (const Verb &verb : m_verbs) {
        if (name == verb.name)
            return &verb;
    }
    return nullptr;
}

std::vector<Verb> VerbTable::all() const
{
    std::vector<Verb> sorted = m_verbs;
    std::sort(sorted.begin(), sorted.end(),
              [](const Verb &a, const Verb &b) { return std::strcmp(a.name, b.name) < 0; });
    return sorted;
}

} // namespace orvane
