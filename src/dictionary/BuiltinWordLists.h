#pragma once

#include <span>
#include <string_view>

// Rows of the word lists compiled into the program. The shipped rows are
// generated at build time from data/*.tsv, with the Chinese side in GBK.
struct IrregularVerbRow {
    std::string_view base;
    std::string_view past;
    std::string_view participle;
};

struct GlossaryRow {
    std::string_view english;
    std::string_view chinese;
};

struct WordLists {
    std::span<const IrregularVerbRow> irregularVerbs;
    std::span<const GlossaryRow> medical;
    std::span<const GlossaryRow> science;
};

// The lists as shipped.
const WordLists& ShippedWordLists();
