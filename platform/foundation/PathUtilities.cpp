#include "platform/foundation/PathUtilities.h"

#include <cstdlib>
#include <filesystem>

namespace foundation {
namespace {

std::string_view withoutTrailingSlashes(std::string_view path) {
    while (path.size() > 1 && path.back() == '/')
        path.remove_suffix(1);
    return path;
}

}  // namespace

std::string appendingPathComponent(std::string_view path, std::string_view component) {
    std::string base(withoutTrailingSlashes(path));
    while (component.starts_with("/"))
        component.remove_prefix(1);
    component = withoutTrailingSlashes(component);
    if (component.empty())
        return base;
    if (base.empty())
        return std::string(component);
    if (base != "/")
        base += "/";
    return base + std::string(component);
}

std::string lastPathComponent(std::string_view path) {
    path = withoutTrailingSlashes(path);
    if (path == "/")
        return "/";
    const auto slash = path.rfind('/');
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string deletingLastPathComponent(std::string_view path) {
    path = withoutTrailingSlashes(path);
    const auto slash = path.rfind('/');
    if (slash == std::string_view::npos)
        return "";
    if (slash == 0)
        return "/";
    return std::string(path.substr(0, slash));
}

std::string pathExtension(std::string_view path) {
    const std::string last = lastPathComponent(path);
    const auto dot = last.rfind('.');
    if (dot == std::string::npos || dot == 0 || last == "/")
        return "";
    return last.substr(dot + 1);
}

std::string deletingPathExtension(std::string_view path) {
    const std::string extension = pathExtension(path);
    const std::string_view trimmed = withoutTrailingSlashes(path);
    if (extension.empty())
        return std::string(trimmed);
    return std::string(trimmed.substr(0, trimmed.size() - extension.size() - 1));
}

std::string appendingPathExtension(std::string_view path, std::string_view extension) {
    return std::string(withoutTrailingSlashes(path)) + "." + std::string(extension);
}

std::string expandingTildeInPath(std::string_view path) {
    if (!(path == "~" || path.starts_with("~/")))
        return std::string(path);
    const char* home = std::getenv("HOME");
    return std::string(home ? home : "") + std::string(path.substr(1));
}

std::string standardizingPath(std::string_view path) {
    if (path.empty())
        return "";
    std::string normal =
        std::filesystem::path(expandingTildeInPath(path)).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal.empty() ? "." : normal;
}

}  // namespace foundation
