// Spatial contexts as gml:DerivedCRS (see Fdo/Xml/SpatialContextXml.h).
//
// Numbers are written with %lf, as FDO does, unless that would change the
// value (a tolerance of 1e-9 must not come back as 0): then the shortest
// exact form is used. Legacy files use www.autodesk.com/isd URLs for the
// fixed references; only the part after '#' matters when reading them.
#include "xml/SpatialContextXmlIO.h"

#include "xml/XmlDom.h"
#include "xml/XmlLexical.h"

#include <Fdo/Xml/XmlNames.h>

#include <fstream>
#include <sstream>

using namespace FdoXmlDom;
using xercesc::DOMElement;

namespace FdoSpatialContextXmlIO {

namespace {

FdoString* const kDefaultCartesian = L"http://fdo.osgeo.org/crs#default_cartesian";
FdoString* const kNamedCrsUrl = L"http://fdo.osgeo.org/schemas/feature/crs/#";

FdoStringP Number(double v) {
    FdoStringP fixed = FdoStringP::Format(L"%lf", v);
    double back = 0;
    if (FdoXmlLexical::ParseDouble(fixed, back) && back == v) return fixed;
    return FdoXmlLexical::FormatDouble(v);
}

double ReadNumber(const DOMElement* el, const FdoStringP& text) {
    double v = 0;
    if (!FdoXmlLexical::ParseDouble(text, v))
        throw FdoXmlException::Create(
            FdoStringP::Format(L"%ls: '%ls' is not a number", (FdoString*)Describe(el), (FdoString*)text));
    return v;
}

void ReadPos(const DOMElement* pos, double& x, double& y) {
    std::wistringstream in(Text(pos).Str());
    std::wstring a, b, extra;
    if (!(in >> a >> b))
        throw FdoXmlException::Create(FdoStringP::Format(L"%ls needs two coordinates", (FdoString*)Describe(pos)));
    x = ReadNumber(pos, FdoStringP(a));
    y = ReadNumber(pos, FdoStringP(b));
}

}  // namespace

void WriteDerivedCrs(FdoXmlTextWriter& w, const FdoXmlSpatialContext& sc) {
    w.StartElement(L"gml:DerivedCRS");
    w.Attribute(L"gml:id", FdoXmlNames::Encode(sc.name));
    bool dynamic = sc.extentType == FdoSpatialContextExtentType_Dynamic;
    if (dynamic || sc.xyTolerance > 0 || sc.zTolerance > 0) {
        w.StartElement(L"gml:metaDataProperty");
        w.StartElement(L"gml:GenericMetaData");
        if (dynamic) w.TextElement(L"fdo:SCExtentType", L"dynamic");
        w.TextElement(L"fdo:XYTolerance", Number(sc.xyTolerance));
        w.TextElement(L"fdo:ZTolerance", Number(sc.zTolerance));
        w.EndElement();
        w.EndElement();
    }
    if (!sc.description.IsEmpty()) w.TextElement(L"gml:remarks", sc.description);
    w.TextElement(L"gml:srsName", sc.name);
    if (sc.hasExtent) {
        w.StartElement(L"gml:validArea");
        w.StartElement(L"gml:boundingBox");
        w.TextElement(L"gml:pos", Number(sc.minX) + L" " + Number(sc.minY));
        w.TextElement(L"gml:pos", Number(sc.maxX) + L" " + Number(sc.maxY));
        w.EndElement();
        w.EndElement();
    }
    w.StartElement(L"gml:baseCRS");
    if (!sc.coordinateSystemWkt.IsEmpty()) {
        w.StartElement(L"fdo:WKTCRS");
        w.Attribute(L"gml:id", FdoXmlNames::Encode(sc.coordinateSystem));
        w.TextElement(L"gml:srsName", sc.coordinateSystem);
        w.TextElement(L"fdo:WKT", sc.coordinateSystemWkt);
        w.EndElement();
    } else if (sc.coordinateSystem.IsEmpty()) {
        w.Attribute(L"xlink:href", kDefaultCartesian);
    } else {
        w.Attribute(L"xlink:href", FdoStringP(kNamedCrsUrl) + FdoXmlNames::Encode(sc.coordinateSystem));
    }
    w.EndElement();
    w.StartElement(L"gml:definedByConversion");
    w.Attribute(L"xlink:href", L"http://fdo.osgeo.org/coord_conversions#identity");
    w.EndElement();
    w.StartElement(L"gml:derivedCRSType");
    w.Attribute(L"codeSpace", L"http://fdo.osgeo.org/crs_types");
    w.Text(L"geographic");
    w.EndElement();
    w.StartElement(L"gml:usesCS");
    w.Attribute(L"xlink:href", L"http://fdo.osgeo.org/cs#default_cartesian");
    w.EndElement();
    w.EndElement();
}

namespace {

void ReadBody(const DOMElement* el, FdoXmlSpatialContext& sc);

}  // namespace

FdoXmlSpatialContext ReadDerivedCrs(const DOMElement* el) {
    FdoXmlSpatialContext sc;
    const DOMElement* srsName = Child(el, Ns::Gml, L"srsName");
    sc.name = srsName ? Text(srsName) : FdoXmlNames::Decode(NsAttr(el, Ns::Gml, L"id"));
    if (sc.name.IsEmpty()) throw FdoXmlException::Create(L"gml:DerivedCRS has neither gml:srsName nor gml:id");
    try {
        ReadBody(el, sc);
    } catch (FdoException* e) {
        FdoStringP text = FdoStringP::Format(L"spatial context '%ls': %ls", (FdoString*)sc.name,
                                             (FdoString*)e->ToFullString());
        e->Release();
        throw FdoXmlException::Create(text);
    }
    return sc;
}

namespace {

void ReadBody(const DOMElement* el, FdoXmlSpatialContext& sc) {

    if (const DOMElement* meta = Child(Child(el, Ns::Gml, L"metaDataProperty"), Ns::Gml, L"GenericMetaData")) {
        if (const DOMElement* t = Child(meta, Ns::Fdo, L"SCExtentType")) {
            FdoStringP kind = Text(t);
            if (kind == L"dynamic")
                sc.extentType = FdoSpatialContextExtentType_Dynamic;
            else if (kind != L"static")
                throw FdoXmlException::Create(FdoStringP::Format(L"unknown fdo:SCExtentType '%ls'", (FdoString*)kind));
        }
        if (const DOMElement* t = Child(meta, Ns::Fdo, L"XYTolerance")) sc.xyTolerance = ReadNumber(t, Text(t));
        if (const DOMElement* t = Child(meta, Ns::Fdo, L"ZTolerance")) sc.zTolerance = ReadNumber(t, Text(t));
    }
    if (const DOMElement* r = Child(el, Ns::Gml, L"remarks")) sc.description = Text(r);
    if (const DOMElement* box = Child(Child(el, Ns::Gml, L"validArea"), Ns::Gml, L"boundingBox")) {
        const DOMElement* lo = Child(box, Ns::Gml, L"pos");
        const DOMElement* hi = lo ? lo->getNextElementSibling() : nullptr;
        if (!hi || !Is(hi, Ns::Gml, L"pos"))
            throw FdoXmlException::Create(L"gml:boundingBox needs two gml:pos");
        ReadPos(lo, sc.minX, sc.minY);
        ReadPos(hi, sc.maxX, sc.maxY);
        sc.hasExtent = true;
    }
    if (const DOMElement* base = Child(el, Ns::Gml, L"baseCRS")) {
        if (const DOMElement* wkt = Child(base, Ns::Fdo, L"WKTCRS")) {
            const DOMElement* n = Child(wkt, Ns::Gml, L"srsName");
            sc.coordinateSystem = n ? Text(n) : FdoXmlNames::Decode(NsAttr(wkt, Ns::Gml, L"id"));
            sc.coordinateSystemWkt = Text(Child(wkt, Ns::Fdo, L"WKT"));
        } else {
            std::wstring href = NsAttr(base, Ns::Xlink, L"href").Str();
            size_t hash = href.find(L'#');
            std::wstring before = hash == std::wstring::npos ? href : href.substr(0, hash);
            std::wstring after = hash == std::wstring::npos ? std::wstring() : href.substr(hash + 1);
            bool cartesian = before.size() >= 4 && before.compare(before.size() - 4, 4, L"/crs") == 0;
            if (!cartesian) sc.coordinateSystem = FdoXmlNames::Decode(after.c_str());
        }
    }
}

}  // namespace

}  // namespace FdoSpatialContextXmlIO

namespace {

std::vector<FdoXmlSpatialContext> ReadDocument(const Document& doc) {
    std::vector<FdoXmlSpatialContext> out;
    DOMElement* root = doc.Root();
    std::vector<DOMElement*> candidates;
    if (Is(root, Ns::Gml, L"DerivedCRS"))
        candidates.push_back(root);
    else
        candidates = Children(root);
    for (DOMElement* c : candidates) {
        if (!Is(c, Ns::Gml, L"DerivedCRS")) continue;
        try {
            out.push_back(FdoSpatialContextXmlIO::ReadDerivedCrs(c));
        } catch (FdoException* e) {
            FdoStringP text = FdoStringP(doc.Source()) + L": " + e->ToFullString();
            e->Release();
            throw FdoXmlException::Create(text);
        }
    }
    return out;
}

}  // namespace

std::vector<FdoXmlSpatialContext> FdoXmlSpatialContextIO::Read(FdoString* fileName) {
    return ReadDocument(*Document::ParseFile(fileName));
}

std::vector<FdoXmlSpatialContext> FdoXmlSpatialContextIO::ReadString(const std::string& xml, FdoString* sourceName) {
    return ReadDocument(*Document::ParseMemory(xml.data(), xml.size(), sourceName));
}

std::string FdoXmlSpatialContextIO::WriteString(const std::vector<FdoXmlSpatialContext>& contexts) {
    FdoXmlTextWriter w;
    w.StartElement(L"fdo:DataStore");
    w.Attribute(L"xmlns:xs", kXsUri);
    w.Attribute(L"xmlns:xsi", kXsiUri);
    w.Attribute(L"xmlns:xlink", kXlinkUri);
    w.Attribute(L"xmlns:gml", kGmlUri);
    w.Attribute(L"xmlns:fdo", kFdoUri);
    w.Attribute(L"xmlns:fds", kFdsUri);
    for (const FdoXmlSpatialContext& sc : contexts) FdoSpatialContextXmlIO::WriteDerivedCrs(w, sc);
    w.EndElement();
    return w.Result();
}

void FdoXmlSpatialContextIO::Write(const std::vector<FdoXmlSpatialContext>& contexts, FdoString* fileName) {
    std::string text = WriteString(contexts);
    FdoStringP name(fileName);
    std::ofstream out((const char*)name, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())).flush())
        throw FdoXmlException::Create(FdoStringP::Format(L"Cannot write XML file '%ls'.", (FdoString*)name));
}
