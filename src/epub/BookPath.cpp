#include "BookPath.h"

#include <vector>

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// "%20" -> " "; a '%' not followed by two hex digits stays as written.
std::string PercentDecoded(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out.push_back(static_cast<char>(high * 16 + low));
                i += 2;
                continue;
            }
        }
        out.push_back(text[i]);
    }
    return out;
}

// "http:", "mailto:", "data:" ...: a scheme is letters, digits, + - . before the
// first colon, starting with a letter (RFC 3986).
bool HasScheme(std::string_view href) {
    const std::size_t colon = href.find(':');
    if (colon == std::string_view::npos || colon == 0 || !IsAsciiLetter(href[0])) {
        return false;
    }
    for (std::size_t i = 1; i < colon; ++i) {
        const char c = href[i];
        if (!IsAsciiLetter(c) && !(c >= '0' && c <= '9') && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return true;
}

}  // namespace

bool IsSafeMemberName(std::string_view name) {
    if (name.empty() || name[0] == '/' || name[0] == '\\') {
        return false;
    }
    if (name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == ':') {
        return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find_first_of("/\\", start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        if (name.substr(start, end - start) == "..") {
            return false;
        }
        start = end + 1;
    }
    return true;
}

std::optional<std::string> NormalizedMemberName(std::string_view name) {
    std::vector<std::string_view> steps;
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t end = name.find('/', start);
        if (end == std::string_view::npos) {
            end = name.size();
        }
        const std::string_view step = name.substr(start, end - start);
        if (step == "..") {
            if (steps.empty()) {
                return std::nullopt;
            }
            steps.pop_back();
        } else if (!step.empty() && step != ".") {
            steps.push_back(step);
        }
        start = end + 1;
    }
    std::string out;
    for (const std::string_view step : steps) {
        if (!out.empty()) {
            out.push_back('/');
        }
        out.append(step);
    }
    return out;
}

std::optional<BookTarget> ResolveHref(std::string_view base, std::string_view href) {
    if (HasScheme(href)) {
        return std::nullopt;
    }
    BookTarget target;
    std::string_view path = href;
    if (const std::size_t hash = href.find('#'); hash != std::string_view::npos) {
        target.fragment = PercentDecoded(href.substr(hash + 1));
        path = href.substr(0, hash);
    }
    if (const std::size_t query = path.find('?'); query != std::string_view::npos) {
        path = path.substr(0, query);
    }
    if (path.empty()) {
        target.member = std::string(base);
        return target;
    }
    std::string joined;
    if (path[0] != '/') {
        const std::size_t slash = base.rfind('/');
        joined = slash == std::string_view::npos ? std::string()
                                                 : std::string(base.substr(0, slash + 1));
    }
    joined += PercentDecoded(path);
    std::optional<std::string> member = NormalizedMemberName(joined);
    if (!member || member->empty()) {
        return std::nullopt;
    }
    target.member = std::move(*member);
    return target;
}
