// Lists the resources of a module through the platform's own resource functions, so a
// test can check that a file written by our editor is read the same way by Windows.
//
//   resource_probe [FILE]   FILE loaded as data, or the probe's own module without one
//
// Output lines:
//   entry TYPE NAME LANGUAGE SIZE DIGEST   for every leaf (FindResourceEx, LoadResource,
//                                          SizeofResource); DIGEST is FNV-1a 64 in hex
//   icon ID WIDTH HEIGHT                   every image of icon group 128, loaded as an icon
//   best-icon ID                           the image the platform picks for 32 x 32
//   checksum HEADER COMPUTED               of FILE, or of the probe's own file
#include <windows.h>
#include <imagehlp.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace {

HMODULE g_module = nullptr;

uint64_t Fnv1a(const uint8_t* p, size_t n) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (size_t i = 0; i < n; ++i) h = (h ^ p[i]) * 0x100000001b3ull;
    return h;
}

std::string NameOf(LPCWSTR name) {
    if (IS_INTRESOURCE(name)) return std::to_string(uintptr_t(name));
    std::string out = "\"";
    for (; *name; ++name) out.push_back(*name < 0x80 ? char(*name) : '?');
    return out + "\"";
}

BOOL CALLBACK OnLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR) {
    HRSRC info = FindResourceExW(module, type, name, language);
    HGLOBAL loaded = info ? LoadResource(module, info) : nullptr;
    DWORD size = info ? SizeofResource(module, info) : 0;
    const auto* bytes = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes && size) {
        std::printf("missing %s %s %u\n", NameOf(type).c_str(), NameOf(name).c_str(), language);
        return TRUE;
    }
    std::printf("entry %s %s %u %lu %016llx\n", NameOf(type).c_str(), NameOf(name).c_str(), language,
                (unsigned long)size, (unsigned long long)Fnv1a(bytes, size));
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR) {
    EnumResourceLanguagesW(module, type, name, OnLanguage, 0);
    return TRUE;
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR) {
    EnumResourceNamesW(module, type, OnName, 0);
    return TRUE;
}

const uint8_t* Load(LPCWSTR type, LPCWSTR name, DWORD* size) {
    HRSRC info = FindResourceW(g_module, name, type);
    HGLOBAL loaded = info ? LoadResource(g_module, info) : nullptr;
    *size = info ? SizeofResource(g_module, info) : 0;
    return static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
}

void ProbeIcons() {
    DWORD size = 0;
    const uint8_t* group = Load(MAKEINTRESOURCEW(14), MAKEINTRESOURCEW(128), &size);
    if (!group || size < 6) {
        std::printf("no-icon-group\n");
        return;
    }
    unsigned count = group[4] | (group[5] << 8);
    for (unsigned i = 0; i < count && 6 + 14 * (i + 1) <= size; ++i) {
        const uint8_t* e = group + 6 + 14 * i;
        unsigned id = e[12] | (e[13] << 8);
        DWORD image_size = 0;
        const uint8_t* image = Load(MAKEINTRESOURCEW(3), MAKEINTRESOURCEW(id), &image_size);
        HICON icon = image ? CreateIconFromResourceEx(const_cast<PBYTE>(image), image_size, TRUE, 0x00030000, 0, 0,
                                                      LR_DEFAULTCOLOR)
                           : nullptr;
        ICONINFO info{};
        BITMAP bm{};
        if (!icon || !GetIconInfo(icon, &info) || !GetObjectW(info.hbmMask, sizeof bm, &bm)) {
            std::printf("icon %u unloadable\n", id);
            continue;
        }
        // A monochrome-mask-only icon has a double-height mask; colour icons do not.
        std::printf("icon %u %ld %ld\n", id, bm.bmWidth, info.hbmColor ? bm.bmHeight : bm.bmHeight / 2);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
    int best = LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group), TRUE, 32, 32, LR_DEFAULTCOLOR);
    std::printf("best-icon %d\n", best);
}

}  // namespace

int main(int argc, char** argv) {
    char path[MAX_PATH];
    if (argc > 1) {
        g_module = LoadLibraryExA(argv[1], nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (!g_module) {
            std::printf("cannot load %s (error %lu)\n", argv[1], (unsigned long)GetLastError());
            return 1;
        }
        lstrcpynA(path, argv[1], MAX_PATH);
    } else {
        g_module = GetModuleHandleW(nullptr);
        GetModuleFileNameA(nullptr, path, MAX_PATH);
    }
    EnumResourceTypesW(g_module, OnType, 0);
    ProbeIcons();
    DWORD header = 0, computed = 0;
    if (MapFileAndCheckSumA(path, &header, &computed) == CHECKSUM_SUCCESS)
        std::printf("checksum %08lx %08lx\n", (unsigned long)header, (unsigned long)computed);
    else
        std::printf("checksum unavailable\n");
    return 0;
}
