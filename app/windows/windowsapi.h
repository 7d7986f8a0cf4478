#pragma once

#include <string>

// What only Windows offers the program, through the Windows API and the C++ standard library
// alone, so that it builds with any Windows compiler.
namespace WindowsApi {

// Brings to the front the first visible top-level window whose title is `title` or begins with
// it, restoring it when minimised; false when there is none.
bool activateWindowTitled(const std::wstring& title);

// The process's command line exactly as it was passed, the program's name included.
std::wstring commandLine();

// The text value `name` of HKEY_CURRENT_USER\<keyPath>, whole as stored, up to its first NUL;
// empty when the key or the value is missing or the value is not a text.
std::wstring userTextValue(const std::wstring& keyPath, const std::wstring& name);

// For the work without a window, started from a console: standard output and error that are
// not redirected go to that console (a program with a window has none of its own).
void attachParentConsole();

} // namespace WindowsApi
