#pragma once

namespace tk {

// The web site address of the product, quoted where the program sends the user to it.
inline constexpr const char* kWebseite = "https://www.tellerkiste.example.org";
inline constexpr const char* kDownloadSeite = "https://www.tellerkiste.example.org/download";

} // namespace tk
