#pragma once
// A shared library opened when the program first needs it rather than linked: each one linked
// is loaded, and with Debian's libraries bound at load time, resolved in full at every start,
// though a clock may never make a sound, record or play a CD. The library stays loaded for the
// program's life, since its threads and callbacks may run until the end.
#include <dlfcn.h>

#include <atomic>
#include <string>

namespace orvane {

class LazyLibrary {
public:
    // Opens the library by its soname; error() says why when it cannot be.
    explicit LazyLibrary(const char *soname);

    // Looks up a function into `slot`. A missing one makes the whole library count as not
    // loaded, so that no caller meets a null function.
    template <class Function>
    void find(const char *name, Function &slot)
    {
        slot = m_handle ? reinterpret_cast<Function>(dlsym(m_handle, name)) : nullptr;
        if (!slot && m_error.empty())
            m_error = m_soname + " has no " + name;
    }
    bool loaded() const { return m_error.empty(); }
    // Why the library or one of its functions is missing; empty when loaded.
    const std::string &error() const { return m_error; }

private:
    std::string m_soname;
    void *m_handle = nullptr;
    std::string m_error;
};

// The functions a program uses from one library (a struct of function pointers), looked up by
// `lookUp` the first time they are asked for; safe from any thread.
template <class Api>
class LazyApi {
public:
    using LookUp = void (*)(LazyLibrary &, Api &);

    // The functions, loading the library the first time; null, with the reason in `error`, when
    // it cannot be loaded (every later call then gives the same answer).
    static const Api *load(const char *soname, LookUp lookUp, std::string &error)
    {
        static const State state = [&] {
            State s;
            LazyLibrary library(soname);
            lookUp(library, s.api);
            s.error = library.error();
            return s;
        }();
        if (!state.error.empty()) {
            error = state.error;
            return nullptr;
        }
        s_loaded = &state.api;
        return &state.api;
    }
    // The functions if the library has been loaded, else null: for clean-ups that have nothing
    // to do when it never was.
    static const Api *ifLoaded() { return s_loaded; }

private:
    struct State {
        Api api{};
        std::string error;
    };
    static inline std::atomic<const Api *> s_loaded{nullptr};
};

} // namespace orvane
