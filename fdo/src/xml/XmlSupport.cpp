#include <Fdo/Xml/XmlSupport.h>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include <type_traits>

XERCES_CPP_NAMESPACE_USE

static_assert(std::is_same_v<XMLCh, char16_t>, "Xerces must be built with char16_t as XMLCh");

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

FdoStringP FdoXmlText::FromXml(const char16_t* text) {
    if (!text) return FdoStringP();
    return FdoStringP(FdoStringP::Utf16ToUnicode(text));
}
