#pragma once

// Path text operations of the platform's strings: joining, last component,
// extension, tilde expansion and standardising.

#include <string>
#include <string_view>

namespace foundation {

// "a" + "b" -> "a/b"; no doubled or trailing "/".
std::string appendingPathComponent(std::string_view path, std::string_view component);
// "/a/b/" -> "b"; "/" -> "/".
std::string lastPathComponent(std::string_view path);
std::string deletingLastPathComponent(std::string_view path);
// The text after the last "." of the last component ("b.png?x=1" -> "png?x=1"); "" without one.
std::string pathExtension(std::string_view path);
std::string deletingPathExtension(std::string_view path);
std::string appendingPathExtension(std::string_view path, std::string_view extension);
// "~" and "~/x" expand to the user's home folder.
std::string expandingTildeInPath(std::string_view path);
// Removes "." and ".." segments, doubled and trailing "/" (lexically).
std::string standardizingPath(std::string_view path);

}  // namespace foundation
