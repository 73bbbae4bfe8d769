#include "platform/DisplayLanguages.h"

#include <windows.h>

#include <filesystem>

#include "platform/SystemPaths.h"

namespace ik {

std::vector<std::string> userDisplayLanguages() {
    ULONG count = 0;
    ULONG size = 0;
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0) return {};
    // A list of names, each ended by a null, the whole ended by another.
    std::wstring names(size, L'\0');
    if (!GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size)) return {};
    std::vector<std::string> languages;
    for (size_t at = 0; at < names.size() && names[at] != L'\0';) {
        const size_t end = names.find(L'\0', at);
        languages.push_back(utf8String(std::filesystem::path(names.substr(at, end - at))));
        at = end + 1;
    }
    return languages;
}

}  // namespace ik
