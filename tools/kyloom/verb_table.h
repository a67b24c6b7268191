#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace orvane {

// A verb of the kyloom command: its handler gets the arguments after the verb and returns the
// exit status; messages the library reports are counted apart (ReportTracker).
struct Verb {
    const char *name;
    const char *usage;   // arguments, e.g. "CODE"
    const char *summary; // one line for --help
    const char *details; // what "kyloom help VERB" adds below the usage and summary
    int (*run)(const std::vector<std::string> &args, std::ostream &out);
};

class VerbTable {
public:
    static VerbTable &instance();

    void add(const Verb &verb);
    const Verb *find(const std::string &name) const;
    // In name order, for the help text.
    std::vector<Verb> all() const;

private:
    std::vector<Verb> m_verbs;
};

struct VerbRegistration {
    explicit VerbRegistration(const Verb &verb) { VerbTable::instance().add(verb); }
};

// Exit statuses shared by the verbs.
enum ExitStatus { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

} // namespace orvane

// Registers a verb from its cmd_<verb>.cpp:
//   KYLOOM_VERB(type, "[--wait] STRING", "type a key string", "Longer help...\n", runType)
#define KYLOOM_VERB(NAME, USAGE, SUMMARY, DETAILS, FN)                                                       \
    static const ::orvane::VerbRegistration kyloomVerb_##NAME                                                \
    {                                                                                                        \
        ::orvane::Verb { #NAME, USAGE, SUMMARY, DETAILS, &FN }                                               \
    }
