#include "WordBook.h"

#include <algorithm>
#include <charconv>
#include <ctime>
#include <functional>

#include "EntryDatabase.h"
#include "LockedFileChange.h"
#include "LowerCaseWord.h"
#include "PrivateFolder.h"
#include "TabFields.h"
#include "TextLines.h"

namespace {

constexpr std::size_t kFirstFormFields = 5;
constexpr std::size_t kFields = 9;
constexpr const char* kBookName = "wordbook.tsv";

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Bytes from `from` covering `count` characters forwards (or backwards).
std::size_t StepForward(std::string_view text, std::size_t from, std::size_t count) {
    while (from < text.size() && count > 0) {
        ++from;
        while (from < text.size() && IsContinuation(text[from])) {
            ++from;
        }
        --count;
    }
    return from;
}

std::size_t StepBackward(std::string_view text, std::size_t from, std::size_t count) {
    while (from > 0 && count > 0) {
        --from;
        while (from > 0 && IsContinuation(text[from])) {
            --from;
        }
        --count;
    }
    return from;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += IsContinuation(c) ? 0 : 1;
    }
    return count;
}

std::string CsvField(std::string_view text) {
    // A spreadsheet runs a cell beginning so as a formula ("=HYPERLINK(...)" from a
    // book's sentence); the apostrophe makes it text, and the spreadsheet hides it.
    std::string field(text);
    if (!field.empty() && std::string_view("=+-@").find(field[0]) != std::string_view::npos) {
        field.insert(0, 1, '\'');
    }
    if (field.find_first_of(",\"\r\n") == std::string::npos) {
        return field;
    }
    std::string out = "\"";
    for (const char c : field) {
        out += c;
        if (c == '"') {
            out += '"';
        }
    }
    return out + "\"";
}

std::string Html(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\t':
            case '\n':
            case '\r':
                out += ' ';
                break;
            default:
                out += c;
        }
    }
    return out;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The sentence as HTML, each whole-word occurrence of `word` (any case) in bold.
std::string BoldWord(std::string_view sentence, std::string_view word) {
    std::string out;
    std::size_t i = 0;
    while (i < sentence.size()) {
        bool match =
            !word.empty() && i + word.size() <= sentence.size() &&
            (i == 0 || !IsAsciiLetter(sentence[i - 1])) &&
            (i + word.size() == sentence.size() || !IsAsciiLetter(sentence[i + word.size()]));
        for (std::size_t k = 0; match && k < word.size(); ++k) {
            match = LowerAscii(sentence[i + k]) == LowerAscii(word[k]);
        }
        if (match) {
            out += "<b>" + Html(sentence.substr(i, word.size())) + "</b>";
            i += word.size();
        } else {
            out += Html(sentence.substr(i, 1));
            ++i;
        }
    }
    return out;
}

}  // namespace

namespace {

std::optional<std::size_t> Number(std::string_view text) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// The place and word-at fields; false when either holds anything but what the book writes.
bool ReadPlaceFields(std::string_view place, std::string_view wordAt, WordBookEntry& entry) {
    if (!place.empty()) {
        const std::size_t colon = place.find(':');
        const auto paragraph = Number(place.substr(0, colon));
        const auto token =
            colon == std::string_view::npos ? std::nullopt : Number(place.substr(colon + 1));
        if (!paragraph || !token) {
            return false;
        }
        entry.place = WordPlace{*paragraph, *token};
    }
    if (!wordAt.empty()) {
        const auto at = Number(wordAt);
        if (!at || *at >= entry.sentence.size()) {
            return false;
        }
        entry.wordAt = *at;
    }
    return true;
}

}  // namespace

bool SameWordAndText(const WordBookEntry& a, const WordBookEntry& b) {
    return a.word == b.word && a.source == b.source &&
           (a.path.empty() || b.path.empty() || a.path == b.path);
}

WordBook ParseWordBook(std::string_view bytes) {
    WordBook book;
    ForEachTextLine(bytes, [&book](std::string_view line) {
        if (line.empty()) {
            return;
        }
        std::vector<std::string> fields;
        std::size_t start = 0;
        while (true) {
            const std::size_t tab = line.find('\t', start);
            fields.push_back(UnescapeField(line.substr(start, tab - start)));
            if (tab == std::string_view::npos) {
                break;
            }
            start = tab + 1;
        }
        if ((fields.size() != kFields && fields.size() != kFirstFormFields) || fields[0].empty()) {
            book.otherLines.emplace_back(line);
            return;
        }
        WordBookEntry entry{fields[0], fields[1], fields[2], fields[3], fields[4]};
        if (fields.size() == kFields) {
            entry.path = fields[5];
            entry.phonetic = fields[8];
            if (!ReadPlaceFields(fields[6], fields[7], entry)) {
                book.otherLines.emplace_back(line);
                return;
            }
        }
        book.entries.push_back(std::move(entry));
    });
    return book;
}

std::string FormatWordBook(const WordBook& book) {
    std::string bytes;
    for (const std::string& line : book.otherLines) {
        bytes += line + "\n";
    }
    for (const WordBookEntry& e : book.entries) {
        const std::string place =
            e.place ? std::to_string(e.place->paragraph) + ":" + std::to_string(e.place->token)
                    : std::string();
        const std::string wordAt =
            e.wordAt < e.sentence.size() ? std::to_string(e.wordAt) : std::string();
        bytes += EscapeField(e.word) + "\t" + EscapeField(e.gloss) + "\t" +
                 EscapeField(e.sentence) + "\t" + EscapeField(e.source) + "\t" +
                 EscapeField(e.date) + "\t" + EscapeField(e.path) + "\t" + place + "\t" + wordAt +
                 "\t" + EscapeField(e.phonetic) + "\n";
    }
    return bytes;
}

std::string CutSentence(std::string_view paragraph, std::size_t offset, std::size_t length,
                        std::size_t around) {
    return CutSentenceMarked(paragraph, offset, length, around).text;
}

MarkedSentence CutSentenceMarked(std::string_view paragraph, std::size_t offset, std::size_t length,
                                 std::size_t around) {
    offset = std::min(offset, paragraph.size());
    length = std::min(length, paragraph.size() - offset);
    if (CharacterCount(paragraph) <= around) {
        return {std::string(paragraph), offset};
    }
    const std::size_t wordChars = CharacterCount(paragraph.substr(offset, length));
    const std::size_t side = around > wordChars ? (around - wordChars) / 2 : 0;
    std::size_t begin = StepBackward(paragraph, offset, side);
    std::size_t end = StepForward(paragraph, offset + length, side);
    // Whatever one side cannot use goes to the other.
    const std::size_t usedBefore = CharacterCount(paragraph.substr(begin, offset - begin));
    const std::size_t usedAfter =
        CharacterCount(paragraph.substr(offset + length, end - offset - length));
    if (usedBefore < side) {
        end = StepForward(paragraph, end, side - usedBefore);
    } else if (usedAfter < side) {
        begin = StepBackward(paragraph, begin, side - usedAfter);
    }
    // Cut at the space nearest inside the window, so no word is broken.
    if (begin > 0) {
        const std::size_t space = paragraph.find(' ', begin);
        if (space != std::string_view::npos && space < offset) {
            begin = space + 1;
        }
    }
    if (end < paragraph.size()) {
        const std::size_t space = paragraph.rfind(' ', end);
        if (space != std::string_view::npos && space >= offset + length) {
            end = space;
        }
    }
    MarkedSentence cut;
    if (begin > 0) {
        cut.text += "…";
    }
    cut.wordAt = cut.text.size() + (offset - begin);
    cut.text += paragraph.substr(begin, end - begin);
    if (end < paragraph.size()) {
        cut.text += "…";
    }
    return cut;
}

namespace {

constexpr std::string_view kCsvHeader = "word,phonetic,gloss,sentence,book,date";
constexpr std::string_view kFirstCsvHeader = "word,gloss,sentence,source,date";

// The sentence as HTML with its word in bold: at the place the entry knows, else every
// whole-word occurrence.
std::string SentenceHtml(const WordBookEntry& e) {
    // A place edited by hand or left by another program may not hold the word.
    bool there = e.wordAt < e.sentence.size() && e.wordAt + e.word.size() <= e.sentence.size();
    for (std::size_t k = 0; there && k < e.word.size(); ++k) {
        there = LowerAscii(e.sentence[e.wordAt + k]) == LowerAscii(e.word[k]);
    }
    if (!there) {
        return BoldWord(e.sentence, e.word);
    }
    const std::string_view sentence = e.sentence;
    const std::size_t length = std::min(e.word.size(), sentence.size() - e.wordAt);
    return Html(sentence.substr(0, e.wordAt)) + "<b>" + Html(sentence.substr(e.wordAt, length)) +
           "</b>" + Html(sentence.substr(e.wordAt + length));
}

// An Anki tag: no blanks (they separate tags) and nothing HTML would read.
std::string AnkiTag(std::string_view text) {
    std::string tag;
    for (const char c : text) {
        const bool separator = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '"' ||
                               c == '<' || c == '>' || c == '&';
        tag += separator ? '_' : c;
    }
    return tag;
}

std::string BookTag(std::string_view source) {
    const std::size_t dot = source.rfind('.');
    return AnkiTag(dot == std::string_view::npos || dot == 0 ? source : source.substr(0, dot));
}

}  // namespace

std::string ExportCsv(const std::vector<WordBookEntry>& entries) {
    std::string bytes = "\xEF\xBB\xBF" + std::string(kCsvHeader) + "\r\n";
    for (const WordBookEntry& e : entries) {
        bytes += CsvField(e.word) + "," + CsvField(e.phonetic) + "," + CsvField(e.gloss) + "," +
                 CsvField(e.sentence) + "," + CsvField(e.source) + "," + CsvField(e.date) + "\r\n";
    }
    return bytes;
}

bool IsWordBookCsvHeader(std::string_view line) {
    if (line.starts_with("\xEF\xBB\xBF")) {
        line.remove_prefix(3);
    }
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
        line.remove_suffix(1);
    }
    return line == kCsvHeader || line == kFirstCsvHeader;
}

std::string ExportAnki(const std::vector<WordBookEntry>& entries, const ExamTagsOf& examTags) {
    // The header lines tell Anki the separator, that the fields are HTML, their names
    // and which holds the tags.
    std::string bytes =
        "#separator:tab\n#html:true\n"
        "#columns:word\tphonetic\tgloss\tsentence\tbook\tdate\ttags\n#tags column:7\n";
    for (const WordBookEntry& e : entries) {
        std::string tags = e.source.empty() ? std::string() : BookTag(e.source);
        if (examTags) {
            for (const std::string& exam : examTags(e.word)) {
                tags += (tags.empty() ? "" : " ") + AnkiTag(exam);
            }
        }
        bytes += Html(e.word) + "\t" + Html(e.phonetic) + "\t" + Html(e.gloss) + "\t" +
                 SentenceHtml(e) + "\t" + Html(e.source) + "\t" + Html(e.date) + "\t" + tags + "\n";
    }
    return bytes;
}

ExamTagsOf ExamTagsFrom(EntryDatabase& entries) {
    return [&entries](std::string_view word) {
        std::vector<std::string> names;
        if (const std::optional<FullEntry> full = entries.Find(word)) {
            for (const std::string& tag : full->tags) {
                const std::string_view name = TagName(tag);
                names.emplace_back(name.empty() ? std::string_view(tag) : name);
            }
        }
        return names;
    };
}

std::string TodayIso() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

std::string WordBookPath(const std::string& folder) { return folder + "/" + kBookName; }

bool LoadWordBook(const std::string& folder, WordBook& book) {
    book = {};
    if (folder.empty()) {
        return false;
    }
    const KeptFolder kept = OpenKeptFolder(folder);
    if (!kept.path) {
        return kept.missing;  // nothing kept yet, or a folder in the way
    }
    const PrivateFile file = ReadPrivateFile(*kept.path, kBookName);
    if (file.status == PrivateFile::Status::Failed) {
        return false;
    }
    book = ParseWordBook(file.bytes);
    return true;
}

namespace {

// Applies `change` to the book as the file holds it now, under the folder's lock.
std::string ChangeWordBook(const std::string& folder,
                           const std::function<void(WordBook&)>& change) {
    return ChangeLockedFile(folder, kBookName, "单词本", [&](std::string_view bytes) {
        WordBook book = ParseWordBook(bytes);
        change(book);
        return FormatWordBook(book);
    });
}

}  // namespace

std::string SaveWordBook(const std::string& folder, const WordBook& book) {
    return ChangeWordBook(folder, [&](WordBook& current) { current = book; });
}

std::string AppendToWordBook(const std::string& folder, const WordBookEntry& entry,
                             bool* replaced) {
    bool found = false;
    const std::string problem = ChangeWordBook(folder, [&](WordBook& book) {
        found = std::erase_if(book.entries, [&](const WordBookEntry& e) {
                    return SameWordAndText(e, entry);
                }) > 0;
        book.entries.push_back(entry);
    });
    if (replaced != nullptr) {
        *replaced = found && problem.empty();
    }
    return problem;
}

std::string RestoreToWordBook(const std::string& folder, const std::vector<RemovedEntry>& removed) {
    // Back in the reverse order of their removal, each index is the one it had.
    return ChangeWordBook(folder, [&](WordBook& book) {
        for (auto it = removed.rbegin(); it != removed.rend(); ++it) {
            const RemovedEntry& back = *it;
            const bool there =
                std::any_of(book.entries.begin(), book.entries.end(),
                            [&](const WordBookEntry& e) { return SameWordAndText(e, back.entry); });
            if (!there) {
                const std::size_t at = std::min(back.index, book.entries.size());
                book.entries.insert(book.entries.begin() + static_cast<std::ptrdiff_t>(at),
                                    back.entry);
            }
        }
    });
}

std::string RemoveFromWordBook(const std::string& folder, const std::vector<WordBookEntry>& removed,
                               std::vector<RemovedEntry>* taken) {
    std::vector<RemovedEntry> gone;
    const std::string problem = ChangeWordBook(folder, [&](WordBook& book) {
        gone.clear();
        for (const WordBookEntry& entry : removed) {
            const auto it = std::find(book.entries.rbegin(), book.entries.rend(), entry);
            if (it != book.entries.rend()) {
                const auto at = std::next(it).base();
                gone.push_back({static_cast<std::size_t>(at - book.entries.begin()), *at});
                book.entries.erase(at);
            }
        }
    });
    if (taken != nullptr) {
        *taken = problem.empty() ? std::move(gone) : std::vector<RemovedEntry>();
    }
    return problem;
}
