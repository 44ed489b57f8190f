#include "store/Stores.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace store {

namespace {

// The folder an XDG variable names (an absolute path), else the default under $HOME;
// without a trailing slash.
std::string XdgBase(const char* variable, const char* underHome)
{
    const char* xdg = std::getenv(variable);
    std::string base;
    if (xdg && *xdg == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home ? home : "") + underHome;
    }
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base;
}

} // namespace

std::string DataFolder()
{
    return XdgBase("XDG_DATA_HOME", "/.local/share") + "/Pinleaf/";
}

std::string StateFolder()
{
    return XdgBase("XDG_STATE_HOME", "/.local/state") + "/pinleaf/";
}

bool CreateDataFolder(const std::string& folder)
{
    // A new account may not have ~/.local/share (or the folder XDG_DATA_HOME names) yet:
    // missing parents are made private to the user, as the XDG rules ask.
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos;
         slash = folder.find('/', slash + 1)) {
        const std::string level = folder.substr(0, slash);
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st {};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) &&
           access(folder.c_str(), R_OK | W_OK | X_OK) == 0;
}

void RemoveLeftoverTemporaryFiles(const std::string& folder)
{
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return;
    constexpr std::string_view kTemporary = ".tmp-";
    constexpr std::size_t kUnique = 6; // the XXXXXX of mkostemp
    while (const dirent* entry = readdir(dir)) {
        const std::string_view name = entry->d_name;
        for (const char* store : {kSettingsFile, kTemplatesFile, kNotesFile, kCategoriesFile}) {
            for (const std::string_view copy :
                 {std::string_view(), std::string_view(kDamagedSuffix)}) {
                const std::string prefix =
                    std::string(store) + std::string(copy) + std::string(kTemporary);
                if (name.size() == prefix.size() + kUnique &&
                    name.substr(0, prefix.size()) == prefix)
                    unlinkat(dirfd(dir), entry->d_name, 0);
            }
        }
    }
    closedir(dir);
}

} // namespace store
