#pragma once
// The program's own web pages.

inline constexpr const char* kMakerHomePage = "https://pinleaf.example.org/";
inline constexpr const char* kMakerProductPage = "https://pinleaf.example.org/download/";
inline constexpr const char* kMakerContactPage = "https://pinleaf.example.org/contact/";
// What the panel's link line shows.
inline constexpr const char* kMakerAddress = "pinleaf.example.org";
