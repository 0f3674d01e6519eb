#include <objbase.h>

#include "common/guid.h"

namespace gd {

std::optional<Guid> CreateGuid() {
    GUID native;
    if (FAILED(CoCreateGuid(&native))) return std::nullopt;
    Guid g;
    g.data1 = native.Data1;
    g.data2 = native.Data2;
    g.data3 = native.Data3;
    for (int i = 0; i < 8; ++i) g.data4[i] = native.Data4[i];
    return g;
}

}  // namespace gd
