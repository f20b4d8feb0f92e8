#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CDicMain;

// The plainest text model and glossing, kept beside the real ones to show what
// their indexes and caches buy: paragraphs only at CR LF, a
// byte tokenizer, one std::string per token and per gloss, and lookups that scan
// the constant prefix table, the prefix's stretch of entries and the word lists
// row by row, with no cache.
class LiteralGlosser {
public:
    struct Paragraph {
        std::string text;
        std::vector<std::string> words;
        std::vector<std::string> glosses;
    };

    explicit LiteralGlosser(const CDicMain& dic) : m_dic(dic) {}

    void SetText(std::string_view text);
    void Annotate(double threshold, bool medical, bool science);
    std::string Translate(const std::string& word, double threshold, bool medical,
                          bool science) const;

    std::size_t TokenCount() const;
    // Heap and object bytes of the model beyond the text's own bytes.
    std::size_t ModelBytesBeyondText() const;

    std::vector<std::unique_ptr<Paragraph>> m_paragraphs;

private:
    std::string LookupExact(const std::string& word, double threshold) const;
    std::string FindBase(const std::string& word) const;

    const CDicMain& m_dic;
};
