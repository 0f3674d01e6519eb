// Stand-ins for the older platform family's screensaver password libraries: built as
// PASSWORD.CPL, copied as MPR.DLL, and put beside a test screensaver, which loads them
// from its own folder. Each call is appended to password_calls.txt in the library's folder;
// VerifyScreenSavePwd answers with the first character of password_answer.txt there
// ('1' accepts, anything else or no file refuses).

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string BesideThisLibrary(const char* name) {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&BesideThisLibrary), &self);
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + name;
}

void Record(const std::string& line) {
    if (FILE* f = std::fopen(BesideThisLibrary("password_calls.txt").c_str(), "ab")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

const char* WindowWord(HWND window) { return IsWindow(window) ? "window" : "no-window"; }

}  // namespace

extern "C" __declspec(dllexport) BOOL WINAPI VerifyScreenSavePwd(HWND window) {
    Record(std::string("verify ") + WindowWord(window));
    int answer = 0;
    if (FILE* f = std::fopen(BesideThisLibrary("password_answer.txt").c_str(), "rb")) {
        answer = std::fgetc(f);
        std::fclose(f);
    }
    return answer == '1';
}

extern "C" __declspec(dllexport) DWORD WINAPI PwdChangePasswordA(LPCSTR provider, HWND owner, DWORD, DWORD) {
    Record(std::string("change ") + (provider ? provider : "(null)") + " " + WindowWord(owner));
    return 0;
}
