#include "panel/PanelTestSupport.h"

#include "platform/MachineFolders.h"
#include "store/Stores.h"

#include <QPixmap>

#include <filesystem>
#include <fstream>
#include <iterator>

std::string FreshDataFolder()
{
    const std::string folder = store::DataFolder();
    std::filesystem::remove_all(folder);
    std::filesystem::remove_all(StateFolderFor(folder));
    std::filesystem::remove_all(RuntimeFolderFor(folder));
    return folder;
}

std::vector<unsigned char> SettingsBytes(bool alwaysOnTop, bool visible, std::int32_t color,
                                         std::int32_t style, std::int32_t viewMode,
                                         std::int32_t hotKeys, std::int32_t left, std::int32_t top)
{
    std::vector<unsigned char> bytes{static_cast<unsigned char>(alwaysOnTop),
                                     static_cast<unsigned char>(visible)};
    for (std::int32_t v : {color, style, viewMode, hotKeys, left, top}) {
        const auto u = static_cast<std::uint32_t>(v);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<unsigned char>(u >> shift));
    }
    return bytes;
}

void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool Exists(const std::string& path)
{
    return std::filesystem::exists(std::filesystem::symlink_status(path));
}

QImage Snapshot(QWidget& widget)
{
    QPixmap pixmap = widget.grab();
    pixmap.setDevicePixelRatio(1);
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}
