#include "XmlBudget.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <libxml/xmlmemory.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {

// Each block carries its size in front, so that a free gives it back; the magic tells
// our blocks from any libxml2 made before the allocator was installed.
struct alignas(std::max_align_t) Header {
    std::size_t size;
    std::uint64_t magic;
};
constexpr std::uint64_t kMagic = 0x76656c6c756d7721;  // "vellumw!"

thread_local std::size_t t_limit = 0;  // 0: no budget
thread_local std::size_t t_used = 0;
thread_local bool t_exceeded = false;

bool Charge(std::size_t size) {
    if (t_limit != 0 && (size > t_limit || t_used > t_limit - size)) {
        t_exceeded = true;
        return false;
    }
    t_used += size;
    return true;
}

void Refund(std::size_t size) { t_used = size > t_used ? 0 : t_used - size; }

Header* HeaderOf(void* block) { return static_cast<Header*>(block) - 1; }

void* Allocate(std::size_t size) {
    if (size > SIZE_MAX - sizeof(Header) || !Charge(size)) {
        return nullptr;
    }
    auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
    if (header == nullptr) {
        Refund(size);
        return nullptr;
    }
    header->size = size;
    header->magic = kMagic;
    return header + 1;
}

void Free(void* block) {
    if (block == nullptr) {
        return;
    }
    Header* header = HeaderOf(block);
    if (header->magic != kMagic) {
        std::free(block);
        return;
    }
    Refund(header->size);
    header->magic = 0;
    std::free(header);
}

void* Reallocate(void* block, std::size_t size) {
    if (block == nullptr) {
        return Allocate(size);
    }
    Header* header = HeaderOf(block);
    if (header->magic != kMagic) {
        return std::realloc(block, size);
    }
    const std::size_t old = header->size;
    if (size > SIZE_MAX - sizeof(Header) || (size > old && !Charge(size - old))) {
        return nullptr;
    }
    auto* moved = static_cast<Header*>(std::realloc(header, sizeof(Header) + size));
    if (moved == nullptr) {
        if (size > old) {
            Refund(size - old);
        }
        return nullptr;
    }
    if (size < old) {
        Refund(old - size);
    }
    moved->size = size;
    return moved + 1;
}

char* Duplicate(const char* text) {
    const std::size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(Allocate(size));
    if (copy != nullptr) {
        std::memcpy(copy, text, size);
    }
    return copy;
}

}  // namespace

void InitialiseXmlParser() {
    static std::once_flag once;
    std::call_once(once, [] {
        xmlMemSetup(Free, Allocate, Reallocate, Duplicate);
        xmlInitParser();
    });
}

void Silently(void* /*context*/, const char* /*format*/, ...) {}

XmlBudget::XmlBudget(std::size_t limit) {
    InitialiseXmlParser();
    // An allocation refused is reported through libxml2's generic channel, whatever
    // the parse options say; the reader hears of it as the book's reason instead.
    xmlSetGenericErrorFunc(nullptr, Silently);
    t_limit = limit;
    t_used = 0;
    t_exceeded = false;
}

XmlBudget::~XmlBudget() { t_limit = 0; }

bool XmlBudget::Exceeded() { return t_exceeded; }
