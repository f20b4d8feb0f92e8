#pragma once

#include <gtest/gtest.h>

#include <string>

#include "CParagraphList.h"
#include "CodePage.h"

// Every glossed token of the text as "token=gloss", gloss in UTF-8, in reading order.
inline std::string GlossedText(const CParagraphList& text) {
    std::string result;
    for (const CParagraph& paragraph : text.m_arrParagraphs) {
        for (std::size_t j = 0; j < paragraph.TokenCount(); ++j) {
            if (!paragraph.Gloss(j).empty()) {
                result += std::string(result.empty() ? "" : " ") + std::string(paragraph.Word(j)) +
                          "=" + *codepage::GbkToUtf8(paragraph.Gloss(j));
            }
        }
    }
    return result;
}
