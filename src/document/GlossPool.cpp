#include "GlossPool.h"

std::size_t GlossPool::MemoryBytes() const {
    std::size_t bytes = m_glosses.bucket_count() * sizeof(void*);
    for (const std::string& gloss : m_glosses) {
        bytes += sizeof(std::string) + 2 * sizeof(void*);  // node: link, hash, string
        if (gloss.capacity() > 15) {
            bytes += gloss.capacity() + 1;
        }
    }
    return bytes;
}
