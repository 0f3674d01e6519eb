#pragma once
// The addresses both programs open: the maker's product page (its Homepage command, its
// About box and the "Make with Glimmerdeck" line of every made screensaver) and the support
// mailbox. One constant each, so moving the project to its own home changes one line.

namespace gd {

inline constexpr char kProductPageAddress[] = "https://www.example.org/glimmerdeck/";
inline constexpr char kSupportMailAddress[] = "mailto:glimmerdeck-support@example.org";

}  // namespace gd
