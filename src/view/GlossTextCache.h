#pragma once

#include <QString>
#include <string>
#include <string_view>
#include <unordered_map>

// Glosses are stored in GBK; the screen wants Unicode. A text repeats the same few
// thousand glosses many times, so each distinct gloss is decoded once.
class GlossTextCache {
public:
    const QString& Text(std::string_view gbk);
    void Clear() { m_texts.clear(); }

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const {
            return std::hash<std::string_view>{}(text);
        }
    };
    std::unordered_map<std::string, QString, Hash, std::equal_to<>> m_texts;
};
