#include "common/profile_store.h"

#ifdef _WIN32
#include "common/profile_win32.h"
#else
#include "common/profile_portable.h"
#endif

namespace gd {

ProfileStore& PlatformProfileStore() {
#ifdef _WIN32
    static Win32ProfileStore store;
#else
    static PortableProfileStore store;
#endif
    return store;
}

}  // namespace gd
