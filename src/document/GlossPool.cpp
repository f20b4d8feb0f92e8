#include "GlossPool.h"

std::size_t GlossPool::MemoryBytes() const {
    std::size_t bytes =
        m_index.bucket_count() * sizeof(void*) + m_views.capacity() * sizeof(std::string_view);
    for (const auto& [gloss, number] : m_index) {
        bytes += sizeof(std::string) + sizeof(number) + 2 * sizeof(void*);  // node: link, hash
        if (gloss.capacity() > 15) {
            bytes += gloss.capacity() + 1;
        }
    }
    return bytes;
}
