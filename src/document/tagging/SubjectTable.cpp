#include "SubjectTable.h"

#include <algorithm>

#include "CodePage.h"
#include "CompiledFile.h"
#include "TsvFile.h"

namespace {

constexpr std::string_view kMagic = "VWSUBJECTS1\n";
constexpr std::string_view kClassLetters = "nvar";
constexpr WordClass kClasses[] = {WordClass::Noun, WordClass::Verb, WordClass::Adjective,
                                  WordClass::Adverb};

std::optional<WordClass> ClassOfLetter(std::string_view letter) {
    const std::size_t at = letter.size() == 1 ? kClassLetters.find(letter[0]) : std::string::npos;
    return at == std::string::npos ? std::nullopt : std::optional<WordClass>(kClasses[at]);
}

std::uint8_t LetterNumber(WordClass wordClass) {
    return static_cast<std::uint8_t>(
        std::find(std::begin(kClasses), std::end(kClasses), wordClass) - std::begin(kClasses));
}

}  // namespace

std::uint32_t SubjectTable::WordNumber(std::string_view word) {
    auto it = m_index.find(word);
    if (it == m_index.end()) {
        it = m_index.emplace(std::string(word), static_cast<std::uint32_t>(m_words.size())).first;
        m_words.emplace_back(word);
        m_subjects.push_back(0);
        m_senses.emplace_back();
    }
    return it->second;
}

std::optional<std::uint8_t> SubjectTable::SubjectNumber(std::string_view name, bool add) {
    const auto it = std::find(m_names.begin(), m_names.end(), name);
    if (it != m_names.end()) {
        return static_cast<std::uint8_t>(it - m_names.begin());
    }
    if (!add || name.empty() || name.size() > 255 || m_names.size() == kMostSubjects) {
        return std::nullopt;
    }
    m_names.emplace_back(name);
    return static_cast<std::uint8_t>(m_names.size() - 1);
}

SubjectTable::Subjects SubjectTable::SubjectsOf(std::string_view word) const {
    const auto it = m_index.find(word);
    return it == m_index.end() ? 0 : m_subjects[it->second];
}

const SubjectTable::Sense* SubjectTable::SenseOf(std::string_view word, std::size_t subject) const {
    const auto it = m_index.find(word);
    if (it == m_index.end()) {
        return nullptr;
    }
    for (const Sense& sense : m_senses[it->second]) {
        if (sense.subject == subject) {
            return &sense;
        }
    }
    return nullptr;
}

std::optional<SubjectTable> SubjectTable::FromTsv(std::string_view words, std::string_view senses,
                                                  std::string& error) {
    SubjectTable table;
    try {
        for (const TsvRow& row : ParseTsv(words, 2)) {
            const std::string_view word = row.fields[0];
            std::string_view names = row.fields[1];
            Subjects found = 0;
            while (!names.empty()) {
                const std::size_t comma = std::min(names.find(','), names.size());
                const std::optional<std::uint8_t> subject =
                    table.SubjectNumber(names.substr(0, comma), true);
                if (!subject) {
                    found = 0;
                    break;
                }
                found = static_cast<Subjects>(found | (1U << *subject));
                names.remove_prefix(std::min(comma + 1, names.size()));
            }
            if (word.empty() || word.size() > 255 || found == 0) {
                error =
                    "subject words, line " + std::to_string(row.line) + ": bad word or subjects";
                return std::nullopt;
            }
            table.m_subjects[table.WordNumber(word)] |= found;
        }
        for (const TsvRow& row : ParseTsv(senses, 4)) {
            const std::string_view word = row.fields[0];
            const std::optional<std::uint8_t> subject = table.SubjectNumber(row.fields[1], false);
            const std::optional<WordClass> wordClass = ClassOfLetter(row.fields[2]);
            std::optional<std::string> gloss = codepage::Utf8ToGbk(row.fields[3]);
            if (word.empty() || word.size() > 255 || !subject || !wordClass || !gloss ||
                gloss->empty() || gloss->size() > 255) {
                error = "subject senses, line " + std::to_string(row.line) +
                        ": bad word, subject, class or gloss";
                return std::nullopt;
            }
            // One sense a subject: the compiled file counts a word's senses in a byte.
            if (table.SenseOf(word, *subject) != nullptr) {
                error = "subject senses, line " + std::to_string(row.line) +
                        ": a second sense of the word in the subject";
                return std::nullopt;
            }
            table.m_senses[table.WordNumber(word)].push_back(
                Sense{*subject, *wordClass, std::move(*gloss)});
        }
    } catch (const TsvError& e) {
        error = e.what();
        return std::nullopt;
    }
    return table;
}

std::string SubjectTable::Compile() const {
    std::string payload;
    compiled::PutU32(payload, static_cast<std::uint32_t>(m_names.size()));
    for (const std::string& name : m_names) {
        compiled::PutText(payload, name);
    }
    compiled::PutU32(payload, static_cast<std::uint32_t>(m_words.size()));
    for (std::size_t i = 0; i < m_words.size(); ++i) {
        compiled::PutText(payload, m_words[i]);
        payload += static_cast<char>(m_subjects[i]);
        payload += static_cast<char>(m_senses[i].size());
        for (const Sense& sense : m_senses[i]) {
            payload += static_cast<char>(sense.subject);
            payload += static_cast<char>(LetterNumber(sense.wordClass));
            compiled::PutText(payload, sense.gloss);
        }
    }
    return compiled::Frame(kMagic, payload);
}

std::optional<SubjectTable> SubjectTable::FromCompiled(std::string_view bytes, std::string& error) {
    const std::optional<std::string_view> payload = compiled::Unframe(bytes, kMagic, error);
    if (!payload) {
        return std::nullopt;
    }
    SubjectTable table;
    compiled::PayloadReader in(*payload);
    const std::uint32_t names = in.U32();
    bool ok = names <= kMostSubjects;
    for (std::uint32_t n = 0; ok && n < names && in.Ok(); ++n) {
        ok = table.SubjectNumber(in.Text(), true).has_value();
    }
    const std::uint32_t words = ok ? in.U32() : 0;
    ok = ok && words <= in.Left() / 3;
    for (std::uint32_t w = 0; ok && w < words && in.Ok(); ++w) {
        const std::string_view word = in.Text();
        const Subjects subjects = in.U8();
        const std::uint8_t senses = in.U8();
        if (word.empty() || (subjects >> table.m_names.size()) != 0) {
            ok = false;
            break;
        }
        if (table.m_index.contains(word)) {
            ok = false;  // each word once
            break;
        }
        const std::uint32_t number = table.WordNumber(word);
        table.m_subjects[number] = subjects;
        for (std::uint8_t s = 0; ok && s < senses && in.Ok(); ++s) {
            const std::uint8_t subject = in.U8();
            const std::uint8_t letter = in.U8();
            const std::string_view gloss = in.Text();
            ok = subject < table.m_names.size() && letter < std::size(kClasses) && !gloss.empty() &&
                 table.SenseOf(word, subject) == nullptr;
            if (ok) {
                table.m_senses[number].push_back(
                    Sense{subject, kClasses[letter], std::string(gloss)});
            }
        }
    }
    if (!ok || !in.Ok() || !in.AtEnd()) {
        error = "the file is damaged";
        return std::nullopt;
    }
    return table;
}
