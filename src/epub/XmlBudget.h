#pragma once

#include <cstddef>

// What libxml2 allocates while a book is read counts against a limit: the nodes, text
// and entity expansions a parser makes of the inflated bytes can be many times their
// size (forty times for dense markup, without bound for nested entities). Past the
// limit libxml2's allocations fail, the parse stops, and Exceeded() says why.
//
// Installs libxml2's allocator on first use, before libxml2 allocates anything.
void InitialiseXmlParser();

// The limit for the current thread while it lives; none outside one.
class XmlBudget {
public:
    explicit XmlBudget(std::size_t limit);
    ~XmlBudget();
    XmlBudget(const XmlBudget&) = delete;
    XmlBudget& operator=(const XmlBudget&) = delete;

    // Whether an allocation was refused since the budget began.
    static bool Exceeded();
};
