#include "xml_config.h"

#include "file_replace.h"

#include <cstdio>
#include <cstring>

bool NamesEqualNoCase(const char* a, const char* b) {
    if (a == nullptr || b == nullptr)
        return false;
    for (;; ++a, ++b) {
        unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
        if (x >= 'A' && x <= 'Z')
            x = static_cast<unsigned char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<unsigned char>(y - 'A' + 'a');
        if (x != y)
            return false;
        if (x == 0)
            return true;
    }
}

XMLNode XMLNode::FindChild(const char* name) const {
    for (pugi::xml_node child = m_node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && NamesEqualNoCase(child.name(), name))
            return XMLNode(child);
    }
    return XMLNode();
}

XMLNode XMLNode::AppendChild(const char* name) {
    return XMLNode(m_node.append_child(name));
}

pugi::xml_attribute XMLNode::FindAttributeHandle(const char* name) const {
    for (pugi::xml_attribute attribute = m_node.first_attribute(); attribute;
         attribute = attribute.next_attribute()) {
        if (NamesEqualNoCase(attribute.name(), name))
            return attribute;
    }
    return pugi::xml_attribute();
}

const char* XMLNode::FindAttribute(const char* name) const {
    pugi::xml_attribute attribute = FindAttributeHandle(name);
    return attribute ? attribute.value() : nullptr;
}

bool XMLNode::SetAttributeInt64(const char* name, long long value) {
    if (!m_node)
        return false;
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    pugi::xml_attribute attribute = FindAttributeHandle(name);
    if (!attribute)
        attribute = m_node.append_attribute(name);
    return attribute && attribute.set_value(text);
}

bool XMLParser::LoadBuffer(const void* data, size_t size) {
    // Comments are kept so that a hand-edited file keeps them through every save.
    pugi::xml_parse_result result =
        m_document.load_buffer(data, size, pugi::parse_default | pugi::parse_comments, pugi::encoding_auto);
    return bool(result);
}

bool XMLParser::HasDeclaration() const {
    for (pugi::xml_node child = m_document.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_declaration)
            return true;
    }
    return false;
}

bool XMLParser::SaveFile(const char* path) const {
    if (path == nullptr || m_savingBlocked)
        return false;
    return ReplaceFileContents(path, [this](std::FILE* file) {
        if (!HasDeclaration()) {
            static const char declaration[] = "<?xml version=\"1.0\"?>\n";
            if (std::fwrite(declaration, 1, sizeof declaration - 1, file) != sizeof declaration - 1)
                return false;
        }
        pugi::xml_writer_file writer(file);
        m_document.save(writer, "\t", pugi::format_default | pugi::format_no_declaration,
                        pugi::encoding_utf8);
        return std::ferror(file) == 0;
    });
}
