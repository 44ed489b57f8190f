#pragma once
// Shared helpers of the panel tests: a clean data folder and hand-made settings files.

#include <QImage>
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

// The data folder of this test program, emptied.
std::string FreshDataFolder();
// The 26 bytes of a settings file.
std::vector<unsigned char> SettingsBytes(bool alwaysOnTop, bool visible, std::int32_t color,
                                         std::int32_t style, std::int32_t viewMode,
                                         std::int32_t hotKeys, std::int32_t left, std::int32_t top);
void WriteFile(const std::string& path, const std::vector<unsigned char>& bytes);
std::vector<unsigned char> ReadFile(const std::string& path);
bool Exists(const std::string& path);
// What the widget shows, at one device pixel per pixel.
QImage Snapshot(QWidget& widget);
