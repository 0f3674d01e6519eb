// A stand-in for the host's screensaver page: creates a window, starts the screensaver
// with "/p HANDLE" into it, keeps it for a while, destroys it and checks that the
// screensaver ended. With --password it starts "/a HANDLE" instead, as the page's
// password button does, and waits for the screensaver to end.
//
//   preview_host SAVER X Y WIDTH HEIGHT MILLISECONDS
//   preview_host --password SAVER
// Exit code: 0 the preview child covered the host's client area and the screensaver
// ended after the host window went (or the password change ended); 3 no preview child
// appeared; 5 the child does not cover the client area; 4 the screensaver kept running;
// 2 usage.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

LRESULT CALLBACK HostProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_TIMER) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

struct Children {
    int count = 0;
    RECT first{};
};

BOOL CALLBACK CountChild(HWND child, LPARAM data) {
    auto* children = reinterpret_cast<Children*>(data);
    if (children->count++ == 0) GetWindowRect(child, &children->first);
    return TRUE;
}

bool CoversClientArea(HWND host, const RECT& child) {
    RECT client{};
    GetClientRect(host, &client);
    MapWindowPoints(host, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return EqualRect(&client, &child) != FALSE;
}

HWND CreateHost(int x, int y, int width, int height) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = instance;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    wc.lpszClassName = "PreviewHost";
    RegisterClassA(&wc);
    return CreateWindowExA(0, "PreviewHost", "Preview host", WS_POPUP | WS_VISIBLE, x, y, width, height, nullptr,
                           nullptr, instance, nullptr);
}

bool StartSaver(const char* saver, const char* mode, HWND host, PROCESS_INFORMATION& pi) {
    std::string command = "\"";
    command.append(saver).append("\" ").append(mode).append(" ").append(std::to_string(uintptr_t(host)));
    STARTUPINFOA si{};
    si.cb = sizeof si;
    return CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi) != FALSE;
}

int ChangePassword(const char* saver) {
    HWND host = CreateHost(100, 100, 200, 100);
    PROCESS_INFORMATION pi{};
    if (!host || !StartSaver(saver, "/a", host, pi)) return 2;
    DWORD waited = WaitForSingleObject(pi.hProcess, 10000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    DestroyWindow(host);
    return waited == WAIT_OBJECT_0 ? 0 : 4;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--password") return ChangePassword(argv[2]);
    if (argc != 7) {
        std::fprintf(stderr, "usage: preview_host SAVER X Y WIDTH HEIGHT MILLISECONDS\n"
                             "       preview_host --password SAVER\n");
        return 2;
    }
    HWND host = CreateHost(std::atoi(argv[2]), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    PROCESS_INFORMATION pi{};
    if (!host || !StartSaver(argv[1], "/p", host, pi)) return 2;
    std::printf("host %lu started the preview\n", (unsigned long)uintptr_t(host));
    std::fflush(stdout);

    SetTimer(host, 1, UINT(std::atoi(argv[6])), nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);

    Children children;
    EnumChildWindows(host, CountChild, LPARAM(&children));
    bool covers = children.count > 0 && CoversClientArea(host, children.first);
    DestroyWindow(host);
    DWORD waited = WaitForSingleObject(pi.hProcess, 3000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    if (children.count == 0) return 3;
    if (waited != WAIT_OBJECT_0) return 4;
    return covers ? 0 : 5;
}
