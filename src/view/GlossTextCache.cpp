#include "GlossTextCache.h"

#include "CodePage.h"

const QString& GlossTextCache::Text(std::string_view gbk) {
    if (const auto found = m_texts.find(gbk); found != m_texts.end()) {
        return found->second;
    }
    return m_texts.emplace(gbk, QString::fromStdString(codepage::GbkToUtf8Lossy(gbk)))
        .first->second;
}
