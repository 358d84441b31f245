// The DOM parse and the namespace-aware element helpers (see XmlDom.h).
#include "xml/XmlDom.h"

#include <Fdo/Xml/XmlSupport.h>

#include <fstream>
#include <iterator>
#include <sstream>

#include <xercesc/dom/DOMAttr.hpp>
#include <xercesc/dom/DOMDocument.hpp>
#include <xercesc/dom/DOMException.hpp>
#include <xercesc/dom/DOMNamedNodeMap.hpp>
#include <xercesc/dom/DOMNode.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/framework/XMLPScanToken.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>
#include <xercesc/util/XMLEntityResolver.hpp>
#include <xercesc/util/XMLResourceIdentifier.hpp>

XERCES_CPP_NAMESPACE_USE

namespace FdoXmlDom {

FdoString* const kXsUri = L"http://www.w3.org/2001/XMLSchema";
FdoString* const kXsiUri = L"http://www.w3.org/2001/XMLSchema-instance";
FdoString* const kXlinkUri = L"http://www.w3.org/1999/xlink";
FdoString* const kGmlUri = L"http://www.opengis.net/gml";
FdoString* const kFdoUri = L"http://fdo.osgeo.org/schemas";
FdoString* const kFdoLegacyUri = L"http://www.autodesk.com/isd/fdo";
FdoString* const kFdsUri = L"http://fdo.osgeo.org/schemas/fds";
FdoString* const kFdsLegacyUri = L"http://www.autodesk.com/isd/fds";

Ns Classify(FdoString* uri) {
    if (!uri || !*uri) return Ns::None;
    if (!wcscmp(uri, kXsUri)) return Ns::Xs;
    if (!wcscmp(uri, kFdoUri) || !wcscmp(uri, kFdoLegacyUri)) return Ns::Fdo;
    if (!wcscmp(uri, kGmlUri)) return Ns::Gml;
    if (!wcscmp(uri, kXlinkUri)) return Ns::Xlink;
    if (!wcscmp(uri, kXsiUri)) return Ns::Xsi;
    if (!wcscmp(uri, kFdsUri) || !wcscmp(uri, kFdsLegacyUri)) return Ns::Fds;
    return Ns::Other;
}

namespace {

class CollectingErrorHandler : public ErrorHandler {
public:
    void warning(const SAXParseException&) override {}
    void error(const SAXParseException& e) override { Add(e); }
    void fatalError(const SAXParseException& e) override { Add(e); }
    void resetErrors() override { messages.clear(); }

    std::vector<FdoStringP> messages;

private:
    void Add(const SAXParseException& e) {
        if (messages.size() >= 5) return;
        messages.push_back(FdoStringP::Format(L"line %lu, column %lu: %ls",
                                              static_cast<unsigned long>(e.getLineNumber()),
                                              static_cast<unsigned long>(e.getColumnNumber()),
                                              (FdoString*)FdoXmlText::FromXml(e.getMessage())));
    }
};

// Refuses every external entity and DTD (a schema document is
// self-contained) and remembers the first one asked for, to report it.
class RefusingEntityResolver : public XMLEntityResolver {
public:
    InputSource* resolveEntity(XMLResourceIdentifier* id) override {
        if (refused.IsEmpty()) {
            refused = FdoXmlText::FromXml(id ? id->getSystemId() : nullptr);
            if (refused.IsEmpty()) refused = L"(unnamed)";
        }
        return nullptr;
    }
    FdoStringP refused;
};

// Xerces resolves each element's namespace by walking the whole element
// stack, so parse time grows with the square of the nesting depth. Schema
// documents are a few levels deep; the parse stops far beyond that.
class DepthLimitedParser : public XercesDOMParser {
public:
    static const int kMaxDepth = 256;

    void startElement(const XMLElementDecl& decl, const unsigned int urlId, const XMLCh* const prefix,
                      const RefVectorOf<XMLAttr>& attrs, const XMLSize_t attrCount, const bool isEmpty,
                      const bool isRoot) override {
        XercesDOMParser::startElement(decl, urlId, prefix, attrs, attrCount, isEmpty, isRoot);
        if (!isEmpty && ++m_depth > kMaxDepth) tooDeep = true;
    }
    void endElement(const XMLElementDecl& decl, const unsigned int urlId, const bool isRoot,
                    const XMLCh* const prefix) override {
        XercesDOMParser::endElement(decl, urlId, isRoot, prefix);
        m_depth--;
    }

    bool tooDeep = false;

private:
    int m_depth = 0;
};

}  // namespace

struct Document::Impl {
    SecurityManager security;
    CollectingErrorHandler errors;
    RefusingEntityResolver resolver;
    std::unique_ptr<DepthLimitedParser> parser;
    DOMDocument* doc = nullptr;
};

Document::Document(std::unique_ptr<Impl> impl, FdoStringP source)
    : m_impl(std::move(impl)), m_source(std::move(source)) {}

Document::~Document() = default;

DOMElement* Document::Root() const { return m_impl->doc ? m_impl->doc->getDocumentElement() : nullptr; }

std::unique_ptr<Document> Document::ParseFile(FdoString* fileName) {
    FdoStringP name(fileName);
    if (name.IsEmpty()) throw FdoXmlException::Create(L"No XML file name given.");
    std::ifstream in((const char*)name, std::ios::binary);
    if (!in)
        throw FdoXmlException::Create(
            FdoStringP::Format(L"Cannot open XML file '%ls'.", (FdoString*)name));
    std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw FdoXmlException::Create(
            FdoStringP::Format(L"Cannot read XML file '%ls'.", (FdoString*)name));
    return ParseMemory(data.data(), data.size(), name);
}

std::unique_ptr<Document> Document::ParseMemory(const char* data, size_t size, FdoString* sourceName) {
    FdoXmlPlatform::Initialize();
    FdoStringP source(sourceName && *sourceName ? sourceName : L"XML text");
    if (!data || size == 0)
        throw FdoXmlException::Create(FdoStringP::Format(L"%ls: the document is empty.", (FdoString*)source));

    auto impl = std::make_unique<Impl>();
    impl->security.setEntityExpansionLimit(1000);
    impl->parser = std::make_unique<DepthLimitedParser>();
    DepthLimitedParser& p = *impl->parser;
    p.setDoNamespaces(true);
    p.setValidationScheme(XercesDOMParser::Val_Never);
    p.setDoSchema(false);
    p.setLoadExternalDTD(false);
    p.setLoadSchema(false);
    p.setSkipDTDValidation(true);
    p.setDisableDefaultEntityResolution(true);
    p.setXMLEntityResolver(&impl->resolver);
    p.setCreateEntityReferenceNodes(false);
    p.setCreateCommentNodes(false);
    p.setIncludeIgnorableWhitespace(false);
    p.setSecurityManager(&impl->security);
    p.setErrorHandler(&impl->errors);

    FdoStringP failure;
    try {
        MemBufInputSource input(reinterpret_cast<const XMLByte*>(data), size, "schema-xml");
        XMLPScanToken token;
        bool more = p.parseFirst(input, token);
        while (more && !p.tooDeep && impl->errors.messages.empty()) more = p.parseNext(token);
        if (more) p.parseReset(token);
        if (p.tooDeep)
            failure = FdoStringP::Format(L"elements are nested more than %d levels deep", DepthLimitedParser::kMaxDepth);
    } catch (const XMLException& e) {
        failure = FdoXmlText::FromXml(e.getMessage());
    } catch (const SAXParseException& e) {
        failure = FdoXmlText::FromXml(e.getMessage());
    } catch (const DOMException& e) {
        failure = FdoXmlText::FromXml(e.getMessage());
    } catch (const OutOfMemoryException&) {
        failure = L"out of memory while parsing";
    }
    if (failure.IsEmpty() && !impl->resolver.refused.IsEmpty())
        failure = FdoStringP::Format(L"external entity '%ls' is not allowed", (FdoString*)impl->resolver.refused);
    if (failure.IsEmpty() && !impl->errors.messages.empty()) {
        failure = impl->errors.messages[0];
        for (size_t i = 1; i < impl->errors.messages.size(); i++) failure += L"; " + impl->errors.messages[i];
    }
    impl->doc = p.getDocument();
    if (failure.IsEmpty() && (!impl->doc || !impl->doc->getDocumentElement()))
        failure = L"the document has no root element";
    if (!failure.IsEmpty())
        throw FdoXmlException::Create(
            FdoStringP::Format(L"%ls: malformed XML: %ls", (FdoString*)source, (FdoString*)failure));
    return std::unique_ptr<Document>(new Document(std::move(impl), source));
}

QName Resolve(const DOMElement* el, FdoString* qname) {
    QName q;
    std::wstring text(qname ? qname : L"");
    // Attribute values may carry stray blanks around a QName.
    size_t b = text.find_first_not_of(L" \t\r\n");
    size_t e = text.find_last_not_of(L" \t\r\n");
    text = b == std::wstring::npos ? std::wstring() : text.substr(b, e - b + 1);
    size_t colon = text.find(L':');
    std::wstring prefix = colon == std::wstring::npos ? std::wstring() : text.substr(0, colon);
    q.local = colon == std::wstring::npos ? text : text.substr(colon + 1);
    if (!el) return q;
    const XMLCh* uri;
    if (prefix.empty()) {
        uri = el->lookupNamespaceURI(nullptr);
    } else {
        uri = el->lookupNamespaceURI(FDO_X(prefix.c_str()));
    }
    if (uri) {
        q.uri = FdoXmlText::FromXml(uri);
        q.resolved = true;
    } else if (prefix.empty()) {
        q.resolved = true;  // no default namespace: the name has none
    } else if (prefix == L"xs" || prefix == L"xsd") {
        q.uri = kXsUri;  // a widely used prefix left undeclared
        q.resolved = true;
    } else if (prefix == L"fdo") {
        q.uri = kFdoUri;
        q.resolved = true;
    } else if (prefix == L"gml") {
        q.uri = kGmlUri;
        q.resolved = true;
    }
    return q;
}

Ns Kind(const DOMElement* el) { return el ? Classify(FdoXmlText::FromXml(el->getNamespaceURI())) : Ns::None; }

FdoStringP LocalName(const DOMElement* el) {
    if (!el) return FdoStringP();
    const XMLCh* n = el->getLocalName();
    return FdoXmlText::FromXml(n ? n : el->getTagName());
}

bool Is(const DOMElement* el, Ns ns, FdoString* localName) {
    return el && Kind(el) == ns && LocalName(el) == localName;
}

std::vector<DOMElement*> Children(const DOMElement* el) {
    std::vector<DOMElement*> out;
    if (!el) return out;
    for (DOMElement* c = el->getFirstElementChild(); c; c = c->getNextElementSibling()) out.push_back(c);
    return out;
}

DOMElement* Child(const DOMElement* el, Ns ns, FdoString* localName) {
    if (!el) return nullptr;
    for (DOMElement* c = el->getFirstElementChild(); c; c = c->getNextElementSibling())
        if (Is(c, ns, localName)) return c;
    return nullptr;
}

FdoStringP Attr(const DOMElement* el, FdoString* name) {
    if (!el) return FdoStringP();
    const DOMAttr* a = el->getAttributeNodeNS(nullptr, FDO_X(name));
    return a ? FdoXmlText::FromXml(a->getValue()) : FdoStringP();
}

bool HasAttr(const DOMElement* el, FdoString* name) {
    return el && el->getAttributeNodeNS(nullptr, FDO_X(name)) != nullptr;
}

namespace {
const DOMAttr* FindNsAttr(const DOMElement* el, Ns ns, FdoString* localName) {
    if (!el) return nullptr;
    DOMNamedNodeMap* attrs = el->getAttributes();
    if (!attrs) return nullptr;
    for (XMLSize_t i = 0; i < attrs->getLength(); i++) {
        const DOMNode* n = attrs->item(i);
        if (!n->getLocalName() || !n->getNamespaceURI()) continue;
        if (FdoXmlText::FromXml(n->getLocalName()) != localName) continue;
        if (Classify(FdoXmlText::FromXml(n->getNamespaceURI())) == ns) return static_cast<const DOMAttr*>(n);
    }
    return nullptr;
}
}  // namespace

FdoStringP NsAttr(const DOMElement* el, Ns ns, FdoString* localName) {
    const DOMAttr* a = FindNsAttr(el, ns, localName);
    return a ? FdoXmlText::FromXml(a->getValue()) : FdoStringP();
}

bool HasNsAttr(const DOMElement* el, Ns ns, FdoString* localName) { return FindNsAttr(el, ns, localName) != nullptr; }

FdoStringP Text(const DOMElement* el) {
    // Walked without recursion: Xerces' getTextContent recurses per level,
    // and a hostile document may nest deeply.
    std::u16string text;
    if (!el) return FdoStringP();
    const DOMNode* n = el->getFirstChild();
    while (n) {
        short type = n->getNodeType();
        if (type == DOMNode::TEXT_NODE || type == DOMNode::CDATA_SECTION_NODE) {
            text += reinterpret_cast<const char16_t*>(n->getNodeValue());
        } else if (type == DOMNode::ELEMENT_NODE && n->getFirstChild()) {
            n = n->getFirstChild();
            continue;
        }
        while (n && !n->getNextSibling()) {
            n = n->getParentNode();
            if (n == el) n = nullptr;
        }
        if (n) n = n->getNextSibling();
    }
    return FdoStringP(FdoStringP::Utf16ToUnicode(text.c_str()));
}

FdoStringP Describe(const DOMElement* el) {
    if (!el) return L"(no element)";
    FdoStringP label = FdoXmlText::FromXml(el->getTagName());
    FdoStringP name = Attr(el, L"name");
    if (!name.IsEmpty()) label += FdoStringP::Format(L" '%ls'", (FdoString*)name);
    return label;
}

}  // namespace FdoXmlDom
