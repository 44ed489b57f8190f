#include "platform/MachineFolders.h"

#include "store/Stores.h"

#include <QByteArray>
#include <QCryptographicHash>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

std::string DataFolderKey(const std::string& dataFolder)
{
    return QCryptographicHash::hash(QByteArray::fromStdString(dataFolder), QCryptographicHash::Sha1)
        .toHex()
        .left(12)
        .toStdString();
}

std::string RuntimeFolderFor(const std::string& dataFolder)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (!runtime || *runtime != '/' || ::stat(runtime, &st) != 0 || !S_ISDIR(st.st_mode))
        return StateFolderFor(dataFolder) + "run/";
    std::string base = runtime;
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base + "/pinleaf/" + DataFolderKey(dataFolder) + "/";
}

std::string StateFolderFor(const std::string& dataFolder)
{
    return store::StateFolder() + DataFolderKey(dataFolder) + "/";
}

std::string SettingsFolderFor(const std::string& dataFolder, bool shared)
{
    return shared ? StateFolderFor(dataFolder) : dataFolder;
}

namespace {

// A real folder of this user's, made private; else false with the reason.
bool OwnPrivateFolder(const std::string& path, std::string* error)
{
    struct stat st {};
    const char* why = nullptr;
    if (::lstat(path.c_str(), &st) != 0)
        why = std::strerror(errno);
    else if (!S_ISDIR(st.st_mode))
        why = "not a folder";
    else if (st.st_uid != ::geteuid())
        why = "the folder belongs to another user";
    if (why) {
        if (error)
            *error = path + ": " + why;
        return false;
    }
    if ((st.st_mode & 077) != 0)
        ::chmod(path.c_str(), 0700);
    return true;
}

} // namespace

bool MakeMachineFolder(const std::string& folder, std::string* error)
{
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1))
        ::mkdir(path.substr(0, slash).c_str(), 0700);
    ::mkdir(path.c_str(), 0700);
    // The two levels this program names: ".../pinleaf/<key>" or ".../<key>/run".
    const std::size_t above = path.rfind('/');
    return (above == 0 || OwnPrivateFolder(path.substr(0, above), error)) &&
           OwnPrivateFolder(path, error);
}
