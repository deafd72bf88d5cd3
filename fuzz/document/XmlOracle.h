#pragma once
// A strict standard XML parser (libxml2) as an oracle independent of the album's own check: whether
// it takes a document as well-formed, and the text it reads in each <Text> element.

#include <string>
#include <string_view>
#include <vector>

struct OracleReading {
    bool wellFormed = false;
    std::vector<std::string> texts; // the content of every <Text> element, in document order
};

#ifdef BRINDLECOVE_NO_XML_ORACLE
// Builds without libxml2 (the Windows cross build) leave the comparisons with it out.
inline constexpr bool kXmlOracle = false;
inline OracleReading readWithLibxml2(std::string_view) {
    return {};
}
#else
inline constexpr bool kXmlOracle = true;

#include <libxml/parser.h>
#include <libxml/tree.h>

namespace oracle_detail {
inline void collectTexts(xmlNode* node, std::vector<std::string>& texts) {
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE)
            continue;
        if (xmlStrEqual(node->name, BAD_CAST "Text")) {
            xmlChar* content = xmlNodeGetContent(node);
            texts.emplace_back(content ? reinterpret_cast<const char*>(content) : "");
            xmlFree(content);
        } else {
            collectTexts(node->children, texts);
        }
    }
}
inline void quiet(void*, const char*, ...) {}
} // namespace oracle_detail

inline OracleReading readWithLibxml2(std::string_view bytes) {
    static const bool silenced = [] {
        xmlSetGenericErrorFunc(nullptr, oracle_detail::quiet);
        return true;
    }();
    (void)silenced;
    OracleReading reading;
    xmlParserCtxtPtr context = xmlNewParserCtxt();
    // No recovery, no network, and none of the parser's own size limits, which are no XML rules.
    xmlDocPtr document =
        xmlCtxtReadMemory(context, bytes.data(), static_cast<int>(bytes.size()), "album.xml", nullptr,
                          XML_PARSE_NONET | XML_PARSE_HUGE | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
    reading.wellFormed = document && context->wellFormed;
    if (document && reading.wellFormed)
        oracle_detail::collectTexts(xmlDocGetRootElement(document), reading.texts);
    xmlFreeDoc(document);
    xmlFreeParserCtxt(context);
    return reading;
}
#endif
