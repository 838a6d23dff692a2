// The configuration document: a pugixml document with the case-insensitive, first-match
// look-ups the program uses.
#pragma once

#include <cstddef>
#include <pugixml.hpp>

class XMLNode {
public:
    XMLNode() = default;
    explicit XMLNode(pugi::xml_node node) : m_node(node) {}
    virtual ~XMLNode() = default;

    bool IsNull() const { return !m_node; }
    pugi::xml_node Handle() const { return m_node; }

    // First child element whose name matches regardless of case; null when none.
    XMLNode FindChild(const char* name) const;
    // Appends a child element; null when this node cannot have one.
    XMLNode AppendChild(const char* name);
    // Text of the first attribute whose name matches regardless of case ("" when it has
    // no value); null when there is no such attribute.
    const char* FindAttribute(const char* name) const;
    // Sets the first matching attribute to a decimal integer ("%lld"), appending the
    // attribute at the end of the list when there is none. False on a null node.
    bool SetAttributeInt64(const char* name, long long value);

private:
    pugi::xml_attribute FindAttributeHandle(const char* name) const;

    pugi::xml_node m_node;
};

class XMLParser {
public:
    XMLParser() = default;
    virtual ~XMLParser() = default;
    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;

    // Replaces the document with what the parser makes of `data` (encoding detected from
    // the first bytes). On a parse error the document keeps what was read before the error.
    // Returns whether the whole text parsed.
    bool LoadBuffer(const void* data, size_t size);
    XMLNode Document() const { return XMLNode(m_document); }
    bool HasDeclaration() const;
    // Writes the document to `path`, replacing the file: an XML declaration first unless
    // the document has one, then the nodes one per line, tab-indented, UTF-8 without BOM.
    // The old file is replaced only by a completely written new one (file_replace.h).
    // False, with the old file as it was, when it cannot be written or saving is blocked.
    bool SaveFile(const char* path) const;

    // Blocks every later save: for a document that stands in for a file that exists but
    // could not be read, whose settings a save would replace with defaults.
    void BlockSaving() { m_savingBlocked = true; }
    bool SavingBlocked() const { return m_savingBlocked; }

private:
    pugi::xml_document m_document;
    bool m_savingBlocked = false;
};

// Case-insensitive (ASCII) equality of two names.
bool NamesEqualNoCase(const char* a, const char* b);
