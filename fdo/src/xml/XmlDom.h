// Reading schema and spatial-context documents through a Xerces DOM.
//
// Every reader in this folder starts here, so the parser is configured in one
// place: namespaces on, no validation, no DTD or external entity loading, a
// cap on entity expansion, and an error handler that collects Xerces'
// messages so they reach the caller inside an FdoXmlException naming the
// document, line and column. The document (and the parser that owns it) is
// released with the XmlDomDocument.
//
// The helpers below work on namespace URIs, never on prefixes: a document may
// declare its prefixes on the root only, or use other prefixes than ours.
#pragma once

#include <Fdo/Common/Exception.h>
#include <Fdo/Common/StringP.h>

#include <memory>
#include <string>
#include <vector>

#include <xercesc/dom/DOMElement.hpp>

namespace FdoXmlDom {

// The namespaces this layer knows. Fdo stands for both the current and the
// legacy URI; Fds likewise.
enum class Ns { Other, None, Xs, Xsi, Xlink, Gml, Fdo, Fds };

extern FdoString* const kXsUri;
extern FdoString* const kXsiUri;
extern FdoString* const kXlinkUri;
extern FdoString* const kGmlUri;
extern FdoString* const kFdoUri;
extern FdoString* const kFdoLegacyUri;
extern FdoString* const kFdsUri;
extern FdoString* const kFdsLegacyUri;

Ns Classify(FdoString* uri);

class Document {
public:
    // The whole file is read first, so a missing or unreadable file gives a
    // clear FdoXmlException naming it.
    static std::unique_ptr<Document> ParseFile(FdoString* fileName);
    static std::unique_ptr<Document> ParseMemory(const char* data, size_t size, FdoString* sourceName);
    ~Document();

    xercesc::DOMElement* Root() const;
    FdoString* Source() const { return m_source; }

private:
    struct Impl;
    Document(std::unique_ptr<Impl> impl, FdoStringP source);
    std::unique_ptr<Impl> m_impl;
    FdoStringP m_source;
};

// A resolved QName: namespace URI and local part. Unresolved prefixes give an
// empty uri and resolved = false.
struct QName {
    FdoStringP uri;
    FdoStringP local;
    bool resolved = false;
    Ns Kind() const { return Classify(uri); }
};

// Resolves a QName written in an attribute value (type="xs:int") against the
// declarations in scope at el. An unprefixed name takes the default namespace.
QName Resolve(const xercesc::DOMElement* el, FdoString* qname);

Ns Kind(const xercesc::DOMElement* el);
FdoStringP LocalName(const xercesc::DOMElement* el);
bool Is(const xercesc::DOMElement* el, Ns ns, FdoString* localName);

std::vector<xercesc::DOMElement*> Children(const xercesc::DOMElement* el);
// First child element in the given namespace with the given local name.
xercesc::DOMElement* Child(const xercesc::DOMElement* el, Ns ns, FdoString* localName);

// Attribute without namespace; empty when absent.
FdoStringP Attr(const xercesc::DOMElement* el, FdoString* name);
bool HasAttr(const xercesc::DOMElement* el, FdoString* name);
// Attribute in the fdo namespace (current or legacy), or in another known one.
FdoStringP NsAttr(const xercesc::DOMElement* el, Ns ns, FdoString* localName);
bool HasNsAttr(const xercesc::DOMElement* el, Ns ns, FdoString* localName);

FdoStringP Text(const xercesc::DOMElement* el);

// "xs:element 'Name'" style label for messages.
FdoStringP Describe(const xercesc::DOMElement* el);

}  // namespace FdoXmlDom
