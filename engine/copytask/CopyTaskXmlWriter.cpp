// Writing a copy task file.
//
// The document is built with the DOM and serialised by the DOM writer in
// pretty-print mode, so indentation and escaping are the XML library's.
// Xerces reports failures as C++ exceptions of its own; they are turned into
// the two FDO exception texts callers expect. A file left half-written by a
// failure is removed, since it would hold no readable task.
#include "copytask/CopyTaskXml.h"

#include <GeoxferApi/GXFCopyTaskDef.h>

#include <Fdo/Xml/XmlSupport.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include <xercesc/dom/DOM.hpp>
#include <xercesc/framework/XMLFormatter.hpp>
#include <xercesc/util/XMLUni.hpp>

XERCES_CPP_NAMESPACE_USE
using namespace copytask_xml;

namespace {

FdoString* const kDomExceptionText = L"c_GXFCopyTaskDef::WriteToXML: DOMException";
FdoString* const kGeneralExceptionText = L"c_GXFCopyTaskDef::WriteToXML: General Excpetion";

struct XercesRelease {
    template <class T>
    void operator()(T* p) const { p->release(); }
};
template <class T>
using XercesPtr = std::unique_ptr<T, XercesRelease>;

FdoString* BoolText(bool value) { return value ? L"TRUE" : L"FALSE"; }

// Appends the DOM elements of one task below the document's root.
class TaskDocumentBuilder {
public:
    explicit TaskDocumentBuilder(DOMDocument* doc) : m_doc(doc) {}

    void Build(const c_GXFCopyTaskDef& task) {
        DOMElement* root = m_doc->getDocumentElement();

        DOMElement* source = Section(root, kSourceConnection);
        Value(source, kProvider, task.GetSourceProvider());
        Value(source, kConnectionString, task.GetSourceConnString());
        DOMElement* dest = Section(root, kDestinationConnection);
        Value(dest, kProvider, task.GetDestProvider());
        Value(dest, kConnectionString, task.GetDestConnString());

        FdoPtr<c_GXFClassCopyDefCollection> classes = task.GetClassCopyDefCollection();
        for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
            FdoPtr<c_GXFClassCopyDef> classDef = classes->GetItem(i);
            Class(root, classDef);
        }

        DOMElement* attrs = Section(root, kCopyTaskAttributes);
        Value(attrs, kExecuteApplySchema, BoolText(task.GetExecuteApplySchema()));
        Value(attrs, kApplySchemaXMLFile, task.GetApplySchemaXML());
        Value(attrs, kCreateSpatialContext, BoolText(task.GetCreateSpatialContext()));
        Value(attrs, kSpatialContextXMLFile, task.GetSpatialContextXML());
        Value(attrs, kMagicClassName, BoolText(task.GetMagicClassName()));
        Value(attrs, kMagicDataTypes, BoolText(task.GetMagicDataTypes()));
        Value(attrs, kDeleteDestinationData, BoolText(task.GetDeleteDestinationData()));

        DOMElement* sdf = Section(root, kCopyToSDFAttributes);
        Value(sdf, kSDF_CreateFileIfMissing, BoolText(task.GetSDF_Attr_CreateIfMissing()));
        Value(sdf, kSDF_OverwriteFile, BoolText(task.GetSDF_Attr_OverwriteFile()));

        DOMElement* oracle = Section(root, kCopyToOracleAttributes);
        const FdoInt32 srid = task.GetOracle_Attr_SRID();
        Value(oracle, kOracle_SRID, srid < 0 ? FdoStringP() : FdoStringP::Format(L"%ld", static_cast<long>(srid)));
    }

private:
    // A null entry is written as an empty class definition.
    void Class(DOMElement* root, c_GXFClassCopyDef* classDef) {
        DOMElement* section = Section(root, kClassCopyDefinition);
        Value(section, kSourceClassName, classDef ? classDef->GetSourceClassName() : L"");
        Value(section, kDestinationClassName, classDef ? classDef->GetDestClassName() : L"");
        Value(section, kCopyFilter, classDef ? classDef->GetCopyFilter() : L"");
        if (!classDef) return;
        FdoPtr<c_GXFPropertyCopyDefCollection> props = classDef->GetPropertyCopyDefCollection();
        for (FdoInt32 i = 0; i < props->GetCount(); i++) {
            FdoPtr<c_GXFPropertyCopyDef> prop = props->GetItem(i);
            DOMElement* propSection = Section(section, kPropertyCopyDefinition);
            Value(propSection, kSourcePropertyName, prop ? prop->GetSourceProperty() : L"");
            Value(propSection, kDestinationPropertyName, prop ? prop->GetDestProperty() : L"");
        }
    }

    DOMElement* Section(DOMElement* parent, const XMLCh* name) {
        DOMElement* element = m_doc->createElement(name);
        parent->appendChild(element);
        return element;
    }

    // Written even when empty, as an empty text node.
    void Value(DOMElement* parent, const XMLCh* name, FdoString* text) {
        DOMElement* element = Section(parent, name);
        element->appendChild(m_doc->createTextNode(FDO_X(text)));
    }

    DOMDocument* m_doc;
};

// The file the writer writes into. Xerces' own local file target drops the
// error of the final close, so a full disk would pass for a written file;
// this one checks every write, the flush and the close, and takes the UTF-8
// name straight to the file system whatever the process locale.
//
// Failures are thrown by value, not as FdoException*, because they travel
// through Xerces, which must not be able to drop (and leak) an FDO object.
class CheckedFileTarget : public XMLFormatTarget {
public:
    struct Failure {};

    explicit CheckedFileTarget(const char* path) : m_file(std::fopen(path, "wb")) {
        if (!m_file) throw Failure();
    }
    ~CheckedFileTarget() override {
        if (m_file) std::fclose(m_file);
    }

    void writeChars(const XMLByte* const bytes, const XMLSize_t count, XMLFormatter* const) override {
        if (std::fwrite(bytes, 1, count, m_file) != count) throw Failure();
    }
    void flush() override {
        if (std::fflush(m_file) != 0) throw Failure();
    }
    void Close() {
        flush();
        std::FILE* file = m_file;
        m_file = nullptr;
        if (std::fclose(file) != 0) throw Failure();
    }

private:
    std::FILE* m_file;
};

void SerializeToFile(DOMImplementation* impl, DOMElement* root, const char* fileName) {
    XercesPtr<DOMLSSerializer> writer(impl->createLSSerializer());
    DOMConfiguration* config = writer->getDomConfig();
    if (config->canSetParameter(XMLUni::fgDOMWRTFormatPrettyPrint, true))
        config->setParameter(XMLUni::fgDOMWRTFormatPrettyPrint, true);

    auto target = std::make_unique<CheckedFileTarget>(fileName);
    try {
        XercesPtr<DOMLSOutput> output(impl->createLSOutput());
        output->setByteStream(target.get());
        if (!writer->write(root, output.get())) throw CheckedFileTarget::Failure();
        target->Close();
    } catch (...) {
        target.reset();
        // Only a regular file is ours to remove; a device or pipe is not.
        std::error_code ec;
        const std::filesystem::path path(fileName);
        if (std::filesystem::is_regular_file(path, ec)) std::filesystem::remove(path, ec);
        throw;
    }
}

}  // namespace

void WriteCopyTaskXml(const c_GXFCopyTaskDef& task, FdoString* fileName) {
    FdoXmlPlatform::Initialize();  // its failure carries the library's own text
    try {
        if (!fileName || !*fileName) throw FdoException::Create(kGeneralExceptionText);
        DOMImplementation* impl = DOMImplementationRegistry::getDOMImplementation(u"LS");
        if (!impl) throw FdoException::Create(kGeneralExceptionText);
        XercesPtr<DOMDocument> doc(impl->createDocument(nullptr, kRoot, nullptr));
        TaskDocumentBuilder(doc.get()).Build(task);
        SerializeToFile(impl, doc->getDocumentElement(), FdoStringP(fileName));
    } catch (FdoException*) {
        throw;
    } catch (const DOMException&) {
        throw FdoException::Create(kDomExceptionText);
    } catch (...) {
        throw FdoException::Create(kGeneralExceptionText);
    }
}
