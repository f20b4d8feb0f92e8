#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PosTag.h"
#include "StringIndex.h"

// The subjects a text can be about (生物医学, 理化, 法律, ...), which subjects each
// word's dictionary entry has lines of, and the sense a word leads with in a text of
// a subject. A text's profile is read from the first; the second was reviewed.
class SubjectTable {
public:
    // A set of subjects, one bit each by their number.
    using Subjects = std::uint8_t;
    static constexpr std::size_t kMostSubjects = 8;

    struct Sense {
        std::uint8_t subject = 0;
        WordClass wordClass = WordClass::Other;  // the use the sense is for
        std::string gloss;                       // GBK
    };

    // From data/subject-words.tsv (word TAB subjects joined with commas) and
    // data/subject-senses.tsv (word TAB subject TAB n|a|v|r TAB gloss), UTF-8;
    // nullopt with the reason in `error` for any malformed row.
    static std::optional<SubjectTable> FromTsv(std::string_view words, std::string_view senses,
                                               std::string& error);
    static std::optional<SubjectTable> FromCompiled(std::string_view bytes, std::string& error);
    std::string Compile() const;

    std::size_t SubjectCount() const { return m_names.size(); }
    // The subject's name as the reader sees it, UTF-8.
    std::string_view Name(std::size_t subject) const { return m_names[subject]; }
    // The subjects the word's entry has lines of; none for a word in no row.
    Subjects SubjectsOf(std::string_view word) const;
    // The word's reviewed sense in texts of `subject`, or nullptr.
    const Sense* SenseOf(std::string_view word, std::size_t subject) const;
    bool Empty() const { return m_words.empty(); }

private:
    std::uint32_t WordNumber(std::string_view word);
    std::optional<std::uint8_t> SubjectNumber(std::string_view name, bool add);

    std::vector<std::string> m_names;
    StringIndex m_index;                       // word -> number
    std::vector<std::string> m_words;          // by number, for Compile
    std::vector<Subjects> m_subjects;          // by number
    std::vector<std::vector<Sense>> m_senses;  // by number
};

inline constexpr std::string_view kSubjectFileName = "subject.dat";
