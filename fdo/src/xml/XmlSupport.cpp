#include <Fdo/Xml/XmlSupport.h>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

XERCES_CPP_NAMESPACE_USE

static_assert(sizeof(XMLCh) == sizeof(char16_t), "Xerces must be built with 16-bit XMLCh");

void FdoXmlPlatform::Initialize() {
    static bool done = false;
    if (done) return;
    try {
        XMLPlatformUtils::Initialize();
        done = true;
    } catch (const XMLException& e) {
        throw FdoXmlException::Create(FdoXmlText::FromXml(e.getMessage()));
    }
}

std::u16string FdoXmlText::ToXml(FdoString* text) { return FdoStringP::Utf16FromUnicode(text); }

FdoStringP FdoXmlText::FromXml(const XMLCh* text) {
    if (!text) return FdoStringP();
    return FdoStringP(FdoStringP::Utf16ToUnicode(reinterpret_cast<const char16_t*>(text)));
}
