// Reading a copy task file.
//
// A task file is user input, so the parser is locked down beyond its
// defaults: errors are recorded instead of printed, no external DTD or
// entity is ever fetched (every external entity resolves to nothing), and
// entity expansion is capped. The file is read into memory by this code
// rather than opened by the parser, so that the UTF-8 file name reaches the
// file system unchanged whatever the process locale.
//
// Lookups follow one rule throughout: descendants at any depth, document
// order, exact element names; see XmlElementIndex for how that stays linear.
#include "copytask/CopyTaskXml.h"
#include "copytask/XmlElementIndex.h"

#include <GeoxferApi/GXFCopyTaskDef.h>

#include <Fdo/Xml/XmlSupport.h>

#include <cstdio>
#include <memory>
#include <string>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/parsers/XercesDOMParser.hpp>
#include <xercesc/sax/EntityResolver.hpp>
#include <xercesc/sax/ErrorHandler.hpp>
#include <xercesc/sax/SAXException.hpp>
#include <xercesc/sax/SAXParseException.hpp>
#include <xercesc/util/OutOfMemoryException.hpp>
#include <xercesc/util/SecurityManager.hpp>
#include <xercesc/util/XMLException.hpp>

XERCES_CPP_NAMESPACE_USE
using namespace copytask_xml;

namespace {

// Far above what a task file needs, far below what hurts.
constexpr XMLSize_t kEntityExpansionLimit = 10000;

class RecordingErrorHandler : public ErrorHandler {
public:
    void warning(const SAXParseException&) override {}
    void error(const SAXParseException&) override { m_errors++; }
    void fatalError(const SAXParseException&) override { m_errors++; }
    void resetErrors() override { m_errors = 0; }
    bool HasErrors() const { return m_errors > 0; }

private:
    int m_errors = 0;
};

class EmptyEntityResolver : public EntityResolver {
public:
    InputSource* resolveEntity(const XMLCh* const, const XMLCh* const systemId) override {
        static const XMLByte nothing[1] = {0};
        return new MemBufInputSource(nothing, 0, systemId ? systemId : u"");
    }
};

bool ReadFileBytes(const char* path, std::string& bytes) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path, "rb"), &std::fclose);
    if (!file) return false;
    char buffer[65536];
    for (;;) {
        const size_t n = std::fread(buffer, 1, sizeof buffer, file.get());
        bytes.append(buffer, n);
        if (n < sizeof buffer) break;
    }
    return !std::ferror(file.get());  // a folder opens but does not read
}

// Owns the parser, and through it the document, while the task is filled.
class TaskFileParser {
public:
    TaskFileParser() {
        m_security.setEntityExpansionLimit(kEntityExpansionLimit);
        m_parser.setValidationScheme(XercesDOMParser::Val_Never);
        m_parser.setLoadExternalDTD(false);
        m_parser.setDisableDefaultEntityResolution(true);
        m_parser.setEntityResolver(&m_resolver);
        m_parser.setErrorHandler(&m_errors);
        m_parser.setSecurityManager(&m_security);
    }

    // The document element, or null when the bytes do not make a document.
    const DOMElement* Parse(const std::string& bytes, FdoString* fileName) {
        std::u16string systemId = FdoXmlText::ToXml(fileName);
        MemBufInputSource source(reinterpret_cast<const XMLByte*>(bytes.data()), bytes.size(),
                                 FdoXmlText::Cast(systemId));
        try {
            m_parser.parse(source);
        } catch (const XMLException&) {
            return nullptr;
        } catch (const DOMException&) {
            return nullptr;
        } catch (const SAXException&) {
            return nullptr;
        } catch (const OutOfMemoryException&) {
            return nullptr;
        }
        if (m_errors.HasErrors()) return nullptr;
        const DOMDocument* doc = m_parser.getDocument();
        return doc ? doc->getDocumentElement() : nullptr;
    }

private:
    RecordingErrorHandler m_errors;
    EmptyEntityResolver m_resolver;
    SecurityManager m_security;
    XercesDOMParser m_parser;
};

// Applies the reading rules to one parsed document.
class TaskFileContent {
public:
    explicit TaskFileContent(const DOMElement* root) : m_index(root) {}

    void FillTask(c_GXFCopyTaskDef& task) const {
        using Pos = XmlElementIndex::Position;
        const Pos root = 0;

        if (Pos conn = m_index.First(root, kSourceConnection); conn != XmlElementIndex::npos) {
            task.SetSourceProvider(Value(conn, kProvider));
            task.SetSourceConnString(Value(conn, kConnectionString));
        }
        if (Pos conn = m_index.First(root, kDestinationConnection); conn != XmlElementIndex::npos) {
            task.SetDestProvider(Value(conn, kProvider));
            task.SetDestConnString(Value(conn, kConnectionString));
        }

        FdoPtr<c_GXFClassCopyDefCollection> classes = task.GetClassCopyDefCollection();
        for (Pos def : m_index.All(root, kClassCopyDefinition)) {
            FdoPtr<c_GXFClassCopyDef> classDef = ReadClass(def);
            classes->Add(classDef);
        }

        if (Pos attrs = m_index.First(root, kCopyTaskAttributes); attrs != XmlElementIndex::npos) {
            task.SetExecuteApplySchema(Flag(attrs, kExecuteApplySchema));
            task.SetApplySchemaXML(Value(attrs, kApplySchemaXMLFile));
            task.SetCreateSpatialContext(Flag(attrs, kCreateSpatialContext));
            task.SetSpatialContextXML(Value(attrs, kSpatialContextXMLFile));
            task.SetMagicClassName(Flag(attrs, kMagicClassName));
            task.SetMagicDataTypes(Flag(attrs, kMagicDataTypes));
            task.SetDeleteDestinationData(Flag(attrs, kDeleteDestinationData));
        }
        if (Pos sdf = m_index.First(root, kCopyToSDFAttributes); sdf != XmlElementIndex::npos) {
            task.SetSDF_Attr_CreateIfMissing(Flag(sdf, kSDF_CreateFileIfMissing));
            task.SetSDF_Attr_OverwriteFile(Flag(sdf, kSDF_OverwriteFile));
        }
        if (Pos oracle = m_index.First(root, kCopyToOracleAttributes); oracle != XmlElementIndex::npos) {
            FdoStringP srid = Value(oracle, kOracle_SRID);
            task.SetOracle_Attr_SRID(!srid.IsEmpty() && srid.IsNumber() ? srid.ToLong() : -1);
        }
    }

private:
    c_GXFClassCopyDef* ReadClass(XmlElementIndex::Position def) const {
        FdoPtr<c_GXFClassCopyDef> classDef = new c_GXFClassCopyDef();
        classDef->SetSourceClassName(Value(def, kSourceClassName));
        classDef->SetDestClassName(Value(def, kDestinationClassName));
        classDef->SetCopyFilter(Value(def, kCopyFilter));
        FdoPtr<c_GXFPropertyCopyDefCollection> props = classDef->GetPropertyCopyDefCollection();
        for (XmlElementIndex::Position prop : m_index.All(def, kPropertyCopyDefinition)) {
            FdoPtr<c_GXFPropertyCopyDef> propDef = new c_GXFPropertyCopyDef();
            propDef->SetSourceProperty(Value(prop, kSourcePropertyName));
            propDef->SetDestProperty(Value(prop, kDestinationPropertyName));
            props->Add(propDef);
        }
        return classDef.Detach();
    }

    // The text of the first direct text child of the first element named
    // name below scope; empty when either is missing (a CDATA section is
    // not a text node).
    FdoStringP Value(XmlElementIndex::Position scope, const XMLCh* name) const {
        XmlElementIndex::Position pos = m_index.First(scope, name);
        if (pos == XmlElementIndex::npos) return FdoStringP();
        for (const DOMNode* child = m_index.Element(pos)->getFirstChild(); child; child = child->getNextSibling())
            if (child->getNodeType() == DOMNode::TEXT_NODE) return FdoXmlText::FromXml(child->getNodeValue());
        return FdoStringP();
    }

    bool Flag(XmlElementIndex::Position scope, const XMLCh* name) const {
        return Value(scope, name).ICompare(FdoStringP(L"TRUE")) == 0;
    }

    XmlElementIndex m_index;
};

}  // namespace

bool ReadCopyTaskXml(c_GXFCopyTaskDef& task, FdoString* fileName) {
    if (!fileName || !*fileName) return false;
    std::string bytes;
    if (!ReadFileBytes(FdoStringP(fileName), bytes)) return false;

    FdoXmlPlatform::Initialize();
    TaskFileParser parser;
    const DOMElement* root = parser.Parse(bytes, fileName);
    if (!root) return false;
    TaskFileContent(root).FillTask(task);
    return true;
}
