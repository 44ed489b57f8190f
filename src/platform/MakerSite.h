#pragma once
// The maker's web pages. One site for the whole program: the About box, the panel's
// help menu and every other link build their addresses from here.

#include <cstddef>
#include <string_view>

namespace MakerSite {

// The site's name as shown to the user, and its address.
inline constexpr std::string_view Host = "pinleaf.example.org";
inline constexpr std::string_view Site = "https://pinleaf.example.org";
static_assert(Site.ends_with(Host));
inline constexpr std::string_view HomePagePath = "/desktop_sticky_notes/index.php?id=Pinleaf155";
inline constexpr std::string_view ProductPagePath =
    "/desktop_sticky_notes/product.php?id=Pinleaf155";
inline constexpr std::string_view ContactPagePath = "/contact.php?id=Pinleaf155";

namespace detail {
// Joins two constant strings at compile time into a static, null-terminated buffer.
template <std::size_t N> struct Joined {
    char text[N + 1] = {};
    constexpr Joined(std::string_view a, std::string_view b)
    {
        std::size_t i = 0;
        for (char c : a)
            text[i++] = c;
        for (char c : b)
            text[i++] = c;
        text[i] = '\0';
    }
    constexpr std::string_view view() const { return {text, N}; }
};

inline constexpr Joined<Site.size() + HomePagePath.size()> home{Site, HomePagePath};
inline constexpr Joined<Site.size() + ProductPagePath.size()> product{Site, ProductPagePath};
inline constexpr Joined<Site.size() + ContactPagePath.size()> contact{Site, ContactPagePath};
} // namespace detail

// The program's home page (also the visible text of the About box's home page link).
constexpr std::string_view HomePage()
{
    return detail::home.view();
}
// The page of the program among the maker's products.
constexpr std::string_view ProductPage()
{
    return detail::product.view();
}
// The contact form for support questions.
constexpr std::string_view ContactPage()
{
    return detail::contact.view();
}

} // namespace MakerSite
