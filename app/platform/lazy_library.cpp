#include "app/platform/lazy_library.h"

namespace orvane {

LazyLibrary::LazyLibrary(const char *soname) : m_soname(soname)
{
    m_handle = dlopen(soname, RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        const char *why = dlerror();
        m_error = why ? why : "cannot load " + m_soname;
    }
}

} // namespace orvane
