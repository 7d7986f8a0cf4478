#include "app/windows/windowsapi.h"

#include <cstdio>
#include <vector>
#include <windows.h>

namespace {

struct Search {
    const std::wstring* title;
    HWND found;
};

BOOL CALLBACK matchTitle(HWND window, LPARAM data) {
    Search& search = *reinterpret_cast<Search*>(data);
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER) != nullptr)
        return TRUE;
    const int length = GetWindowTextLengthW(window);
    if (length < int(search.title->size()))
        return TRUE;
    std::vector<wchar_t> text(std::size_t(length) + 1);
    const int read = GetWindowTextW(window, text.data(), length + 1);
    if (std::wstring(text.data(), std::size_t(read))
            .compare(0, search.title->size(), *search.title) != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

// Closes the registry key on every way out.
struct OpenKey {
    HKEY key = nullptr;
    ~OpenKey() {
        if (key)
            RegCloseKey(key);
    }
};

} // namespace

namespace WindowsApi {

bool activateWindowTitled(const std::wstring& title) {
    Search search{&title, nullptr};
    EnumWindows(matchTitle, reinterpret_cast<LPARAM>(&search));
    if (!search.found)
        return false;
    if (IsIconic(search.found))
        ShowWindow(search.found, SW_RESTORE);
    // A process that is ending may hand the foreground on only while it still has it.
    SetForegroundWindow(search.found);
    return true;
}

void attachParentConsole() {
    const bool outputFree = GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN;
    const bool errorFree = GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_UNKNOWN;
    // Started by a double click there is no console to attach to, and nothing to tell it.
    if (!(outputFree || errorFree) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (outputFree && !std::freopen("CONOUT$", "w", stdout))
        return;
    if (errorFree)
        std::freopen("CONOUT$", "w", stderr);
}

std::wstring commandLine() {
    const wchar_t* line = GetCommandLineW();
    return line ? std::wstring(line) : std::wstring();
}

std::wstring userTextValue(const std::wstring& keyPath, const std::wstring& name) {
    OpenKey open;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, KEY_QUERY_VALUE, &open.key) !=
        ERROR_SUCCESS)
        return std::wstring();
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegQueryValueExW(open.key, name.c_str(), nullptr, &type, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        type != REG_SZ)
        return std::wstring();
    std::vector<wchar_t> data(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(open.key, name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &bytes) != ERROR_SUCCESS)
        return std::wstring();
    return std::wstring(data.data());
}

} // namespace WindowsApi
