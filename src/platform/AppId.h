#pragma once
// The program's one application id (reverse-DNS of the maker's site): the launcher's
// file name, the icon name, the AppStream id, the desktop file name Qt reports and
// every session-bus name. CMake passes the same value to the installed desktop files.

#include "platform/MakerSite.h"

#include <cstddef>
#include <string_view>

#ifndef PINLEAF_APP_ID
#define PINLEAF_APP_ID "org.example.pinleaf.Pinleaf"
#endif

inline constexpr std::string_view AppId = PINLEAF_APP_ID;

namespace detail {
// True when id begins with the labels of host in reverse order ("a.b.c" -> "c.b.a.").
constexpr bool StartsWithReversedHost(std::string_view id, std::string_view host)
{
    std::size_t at = 0;
    while (!host.empty()) {
        const auto dot = host.rfind('.');
        const auto label = dot == std::string_view::npos ? host : host.substr(dot + 1);
        if (id.substr(at, label.size()) != label || id.substr(at + label.size(), 1) != ".")
            return false;
        at += label.size() + 1;
        host = dot == std::string_view::npos ? std::string_view{} : host.substr(0, dot);
    }
    return true;
}
} // namespace detail
static_assert(detail::StartsWithReversedHost(AppId, MakerSite::Host),
              "the application id must be the reversed host of the maker's site");
