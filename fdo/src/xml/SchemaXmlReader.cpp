// Schema document -> feature schemas (see SchemaXmlReader.h).
//
// Tolerance follows the external form: constructs FDO does not model
// (xs:group, xs:attribute, restricted helper types, network classes,
// elements of unknown foreign types) are skipped; what FDO does model must
// be well formed or the read fails with the class and property named.
// References between classes must not form a cycle (class -> base class,
// class -> class of an object or association property): the model holds
// those links by counted reference, so a cycle would never be released.
#include "xml/SchemaXmlReader.h"

#include "xml/XmlLexical.h"
#include "xml/XmlTypeMap.h"

#include <Fdo/Schema/AssociationPropertyDefinition.h>
#include <Fdo/Schema/ObjectPropertyDefinition.h>
#include <Fdo/Schema/RasterPropertyDefinition.h>
#include <Fdo/Xml/XmlNames.h>

#include <algorithm>
#include <climits>
#include <functional>
#include <map>
#include <set>

using namespace FdoXmlDom;
using xercesc::DOMElement;

namespace FdoSchemaXmlReader {

namespace {

FdoString* const kFeatureUrl = L"http://fdo.osgeo.org/schemas/feature/";
FdoString* const kLegacyUrl = L"http://fdo_customer/";
const int kMaxDerivationDepth = 64;

[[noreturn]] void Fail(const FdoStringP& message) { throw FdoSchemaException::Create(message); }

// Runs f; an FDO error inside gets context in front of its text.
template <class F>
void InContext(const FdoStringP& context, F&& f) {
    try {
        f();
    } catch (FdoException* e) {
        FdoStringP text = context + L": " + e->ToFullString();
        e->Release();
        Fail(text);
    }
}

// The FDO name of an XML name: decoded as written (-x20- and the like), with
// the two characters FDO forbids in names, '.' and ':' (literal in GML
// application schemas, -dot- and -colon- in FDO's own files), read as '_',
// the character the shape file provider puts in their place too.
FdoStringP ElementName(FdoString* xmlName) {
    std::wstring name = FdoXmlNames::Decode(xmlName).Str();
    std::replace(name.begin(), name.end(), L'.', L'_');
    std::replace(name.begin(), name.end(), L':', L'_');
    return FdoStringP(name);
}

bool IsForeign(Ns ns) { return ns != Ns::Other && ns != Ns::None; }

FdoStringP Trim(const FdoStringP& s) {
    const std::wstring& w = s.Str();
    size_t b = w.find_first_not_of(L" \t\r\n");
    if (b == std::wstring::npos) return FdoStringP();
    return FdoStringP(w.substr(b, w.find_last_not_of(L" \t\r\n") - b + 1));
}

bool IsTrue(const FdoStringP& s) {
    FdoStringP t = Trim(s);
    return t == L"true" || t == L"1";
}

bool EndsWith(const std::wstring& s, const wchar_t* tail) {
    size_t n = wcslen(tail);
    return s.size() > n && s.compare(s.size() - n, n, tail) == 0;
}

FdoStringP StripTypeSuffix(const FdoStringP& typeName) {
    const std::wstring& s = typeName.Str();
    return EndsWith(s, L"Type") ? FdoStringP(s.substr(0, s.size() - 4)) : typeName;
}

struct SchemaDoc {
    DOMElement* el = nullptr;
    FdoStringP uri;
    FdoStringP name;
    FdoPtr<FdoFeatureSchema> schema;
    std::map<std::wstring, DOMElement*> elements;
    std::map<std::wstring, DOMElement*> simpleTypes;
    std::map<std::wstring, std::vector<DOMElement*>> elementsByType;
    std::map<std::wstring, std::pair<DOMElement*, DOMElement*>> keys;  // name -> (element, xs:key)
};

struct TypeInfo {
    enum State { Unvisited, Visiting, IsClass, NotClass };
    SchemaDoc* schema = nullptr;
    DOMElement* el = nullptr;
    State state = Unvisited;
    FdoPtr<FdoClassDefinition> cls;
    DOMElement* content = nullptr;       // holds the xs:sequence of own properties
    DOMElement* classElement = nullptr;  // global xs:element with the keys
    bool lenient = false;                // some ancestor could not be found
};

struct Facets {
    FdoDataType type = FdoDataType_String;
    FdoInt32 length = 0, precision = 0, scale = 0;
    std::vector<FdoStringP> enumeration;
    FdoStringP minValue, maxValue;
    bool hasMin = false, hasMax = false, minInclusive = true, maxInclusive = true;
};

class Reader {
public:
    Reader(const Document& doc, FdoFeatureSchemaCollection* target) : m_doc(doc), m_target(target) {}

    void Run() {
        Index(SchemaElements());
        for (TypeInfo* t : m_typeOrder)
            InContext(FdoStringP::Format(L"complexType '%ls'", (FdoString*)Attr(t->el, L"name")),
                      [&] { ClassifyType(*t, 0); });
        std::vector<TypeInfo*> classes;
        for (TypeInfo* t : m_typeOrder)
            if (t->state == TypeInfo::IsClass) classes.push_back(t);
        for (TypeInfo* t : classes) InContext(Label(*t), [&] { ReadClassBody(*t); });
        // Base classes first, so inherited geometry exists when a subclass looks for it.
        std::stable_sort(classes.begin(), classes.end(),
                         [](TypeInfo* a, TypeInfo* b) { return Depth(a->cls) < Depth(b->cls); });
        for (TypeInfo* t : classes) InContext(Label(*t), [&] { ReadClassKeys(*t); });
        for (auto& step : m_deferred) step();
        Attach();
    }

private:
    // ---- document structure ------------------------------------------------

    std::vector<DOMElement*> SchemaElements() {
        DOMElement* root = m_doc.Root();
        std::vector<DOMElement*> out;
        if (Is(root, Ns::Xs, L"schema")) {
            out.push_back(root);
        } else if (LocalName(root) == L"DataStore" && (Kind(root) == Ns::Fdo || Kind(root) == Ns::None)) {
            for (DOMElement* c : Children(root))
                if (Is(c, Ns::Xs, L"schema")) out.push_back(c);
        } else {
            throw FdoXmlException::Create(FdoStringP::Format(
                L"root element %ls is neither fdo:DataStore nor xs:schema", (FdoString*)Describe(root)));
        }
        return out;
    }

    void Index(const std::vector<DOMElement*>& schemaEls) {
        for (DOMElement* el : schemaEls) {
            FdoStringP uri = Trim(Attr(el, L"targetNamespace"));
            if (uri.IsEmpty()) Fail(L"xs:schema has no targetNamespace, so its schema has no name");
            if (IsForeign(Classify(uri))) continue;  // an embedded GML or FDO base schema
            auto sd = std::make_unique<SchemaDoc>();
            sd->el = el;
            sd->uri = uri;
            sd->name = SchemaNameFromUri(uri);
            if (sd->name.IsEmpty())
                Fail(FdoStringP::Format(L"cannot take a schema name from targetNamespace '%ls'", (FdoString*)uri));
            InContext(FdoStringP::Format(L"schema '%ls'", (FdoString*)sd->name), [&] {
                auto it = m_schemas.find(sd->name.Str());
                if (it == m_schemas.end()) {
                    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(sd->name, L"");
                    it = m_schemas.emplace(sd->name.Str(), schema).first;
                    m_schemaOrder.push_back(schema);
                }
                sd->schema = it->second;
                ReadAnnotation(el, sd->schema);
            });
            IndexChildren(*sd);
            m_docs.push_back(std::move(sd));
        }
    }

    void IndexChildren(SchemaDoc& sd) {
        for (DOMElement* c : Children(sd.el)) {
            FdoStringP name = Attr(c, L"name");
            if (name.IsEmpty()) continue;
            if (Is(c, Ns::Xs, L"complexType")) {
                std::wstring key = TypeKey(sd.uri, name);
                if (m_types.count(key))
                    Fail(FdoStringP::Format(L"complexType '%ls' is defined twice in namespace '%ls'",
                                            (FdoString*)name, (FdoString*)sd.uri));
                TypeInfo& t = m_types[key];
                t.schema = &sd;
                t.el = c;
                m_typeOrder.push_back(&t);
            } else if (Is(c, Ns::Xs, L"element")) {
                sd.elements.emplace(name.Str(), c);
                FdoStringP type = Attr(c, L"type");
                if (!type.IsEmpty()) {
                    QName q = Resolve(c, type);
                    if (UriOf(q, &sd) == sd.uri) sd.elementsByType[q.local.Str()].push_back(c);
                }
                for (DOMElement* k : Children(c))
                    if (Is(k, Ns::Xs, L"key") && !Attr(k, L"name").IsEmpty())
                        sd.keys.emplace(Attr(k, L"name").Str(), std::make_pair(c, k));
            } else if (Is(c, Ns::Xs, L"simpleType")) {
                sd.simpleTypes.emplace(name.Str(), c);
            }
        }
    }

    static std::wstring TypeKey(const FdoStringP& uri, const FdoStringP& local) {
        return uri.Str() + L'\n' + local.Str();
    }

    // An unprefixed name in a schema without default namespace means the
    // schema's own namespace: hand-written schemas do that.
    static FdoStringP UriOf(const QName& q, const SchemaDoc* context) {
        return q.uri.IsEmpty() && context ? context->uri : q.uri;
    }

    TypeInfo* FindType(const FdoStringP& uri, const FdoStringP& local) {
        auto it = m_types.find(TypeKey(uri, local));
        return it == m_types.end() ? nullptr : &it->second;
    }

    DOMElement* FindGlobal(const FdoStringP& uri, const FdoStringP& local, bool simpleType, SchemaDoc** where) {
        for (auto& sd : m_docs) {
            if (sd->uri != uri) continue;
            auto& map = simpleType ? sd->simpleTypes : sd->elements;
            auto it = map.find(local.Str());
            if (it != map.end()) {
                if (where) *where = sd.get();
                return it->second;
            }
        }
        return nullptr;
    }

    std::pair<DOMElement*, SchemaDoc*> FindKey(const FdoStringP& uri, const FdoStringP& local, DOMElement** key) {
        for (auto& sd : m_docs) {
            if (sd->uri != uri) continue;
            auto it = sd->keys.find(local.Str());
            if (it != sd->keys.end()) {
                *key = it->second.second;
                return {it->second.first, sd.get()};
            }
        }
        return {nullptr, nullptr};
    }

    // A class already in the collection being read into.
    FdoClassDefinition* FindTargetClass(const FdoStringP& uri, const FdoStringP& local) {
        if (!m_target) return nullptr;
        FdoPtr<FdoFeatureSchema> schema = m_target->FindItem(SchemaNameFromUri(uri));
        if (!schema) return nullptr;
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        FdoClassDefinition* cls = classes->FindItem(ElementName(StripTypeSuffix(local)));
        return cls ? cls : classes->FindItem(ElementName(local));
    }

    // ---- pass 1: which complex types are classes ----------------------------

    void ClassifyType(TypeInfo& t, int depth) {
        if (t.state == TypeInfo::IsClass || t.state == TypeInfo::NotClass) return;
        if (t.state == TypeInfo::Visiting)
            Fail(FdoStringP::Format(L"complexType '%ls' derives from itself", (FdoString*)Attr(t.el, L"name")));
        if (depth > kMaxDerivationDepth) Fail(L"the chain of base types is too long");
        t.state = TypeInfo::Visiting;

        FdoPtr<FdoClassDefinition> base;
        bool feature = false, lenient = false;
        DOMElement* content = t.el;
        if (Child(t.el, Ns::Xs, L"simpleContent")) {
            t.state = TypeInfo::NotClass;
            return;
        }
        if (DOMElement* cc = Child(t.el, Ns::Xs, L"complexContent")) {
            DOMElement* ext = Child(cc, Ns::Xs, L"extension");
            QName q = ext ? Resolve(ext, Attr(ext, L"base")) : QName();
            if (!ext || q.local.IsEmpty()) {  // restrictions are helper types
                t.state = TypeInfo::NotClass;
                return;
            }
            content = ext;
            FdoStringP uri = UriOf(q, t.schema);
            Ns ns = Classify(uri);
            if (ns == Ns::Gml && (q.local == L"AbstractFeatureType" || q.local == L"AbstractFeatureCollectionBaseType" ||
                                  q.local == L"AbstractFeatureCollectionType")) {
                feature = true;
            } else if ((ns == Ns::Fdo && q.local == L"ClassType") || (ns == Ns::Xs && q.local == L"anyType")) {
                // a non-feature root class
            } else if (IsForeign(ns)) {
                t.state = TypeInfo::NotClass;  // GML geometry, topology or network types
                return;
            } else if (TypeInfo* bt = FindType(uri, q.local)) {
                ClassifyType(*bt, depth + 1);
                if (bt->state != TypeInfo::IsClass) {
                    t.state = TypeInfo::NotClass;
                    return;
                }
                base = bt->cls;
                lenient = bt->lenient;
            } else {
                base = FindTargetClass(uri, q.local);
                lenient = !base;
            }
        }
        if (base) feature = base->GetClassType() == FdoClassType_FeatureClass;
        if (HasNsAttr(t.el, Ns::Fdo, L"geometryName") || HasNsAttr(t.el, Ns::Fdo, L"hasGeometry")) feature = true;

        FdoStringP name = ClassName(t);
        FdoPtr<FdoClassDefinition> cls;
        InContext(FdoStringP::Format(L"class '%ls'", (FdoString*)name), [&] {
            if (feature)
                cls = FdoFeatureClass::Create(name, L"");
            else
                cls = FdoClass::Create(name, L"");
            cls->SetIsAbstract(IsTrue(Attr(t.el, L"abstract")));
            FdoPtr<FdoClassCollection> classes = t.schema->schema->GetClasses();
            classes->Add(cls);
            if (base) cls->SetBaseClass(base);
        });
        t.cls = cls;
        t.content = content;
        t.lenient = lenient;
        t.state = TypeInfo::IsClass;
    }

    // <Class>Type, or <Class>_Type; a global element of that name pointing
    // at the type settles which, and carries the class's keys.
    FdoStringP ClassName(TypeInfo& t) {
        std::wstring typeName = Attr(t.el, L"name").Str();
        std::wstring plain = EndsWith(typeName, L"Type") ? typeName.substr(0, typeName.size() - 4) : typeName;
        std::wstring underscored = EndsWith(typeName, L"_Type") ? typeName.substr(0, typeName.size() - 5) : L"";
        std::vector<DOMElement*> refs;
        for (auto& sd : m_docs)
            if (sd->uri == t.schema->uri) {
                auto it = sd->elementsByType.find(typeName);
                if (it != sd->elementsByType.end()) refs.insert(refs.end(), it->second.begin(), it->second.end());
            }
        for (DOMElement* e : refs) {
            std::wstring n = Attr(e, L"name").Str();
            if (n == plain || (!underscored.empty() && n == underscored)) {
                t.classElement = e;
                return ElementName(n.c_str());
            }
        }
        for (DOMElement* e : refs)
            if (Child(e, Ns::Xs, L"key") || Child(e, Ns::Xs, L"unique")) {
                t.classElement = e;
                break;
            }
        return ElementName(plain.c_str());
    }

    static int Depth(FdoClassDefinition* cls) {
        int depth = 0;
        for (FdoPtr<FdoClassDefinition> b = cls->GetBaseClass(); b && depth < 1000; b = b->GetBaseClass()) depth++;
        return depth;
    }

    static FdoStringP Label(TypeInfo& t) {
        return FdoStringP::Format(L"class '%ls:%ls'", (FdoString*)t.schema->name, t.cls->GetName());
    }

    // ---- pass 2: properties -------------------------------------------------

    void ReadClassBody(TypeInfo& t) {
        ReadAnnotation(t.el, t.cls);
        DOMElement* seq = Child(t.content, Ns::Xs, L"sequence");
        if (!seq) seq = Child(t.content, Ns::Xs, L"all");
        if (!seq) return;
        for (DOMElement* pe : Children(seq)) {
            if (!Is(pe, Ns::Xs, L"element")) continue;  // xs:group, xs:choice, xs:any: not modelled
            FdoStringP label = Attr(pe, L"name");
            if (label.IsEmpty()) label = Attr(pe, L"ref");
            InContext(FdoStringP::Format(L"property '%ls'", (FdoString*)ElementName(label)),
                      [&] { ReadProperty(t, pe); });
        }
    }

    void ReadProperty(TypeInfo& owner, DOMElement* pe) {
        FdoStringP name = Attr(pe, L"name");
        FdoStringP ref = Attr(pe, L"ref");
        DOMElement* def = pe;
        SchemaDoc* defDoc = owner.schema;
        int mask = FdoGeometricType_All;
        std::vector<FdoGeometryType> specific;
        FdoPtr<FdoPropertyDefinition> prop;

        if (!ref.IsEmpty()) {
            QName q = Resolve(pe, ref);
            FdoStringP uri = UriOf(q, owner.schema);
            if (Classify(uri) == Ns::Gml) {
                if (!FdoXmlTypeMap::GmlGeometry(q.local, mask, specific)) return;
                if (name.IsEmpty()) name = q.local;
                prop = MakeGeometric(ElementName(name), pe, def, mask, specific);
            } else {
                DOMElement* global = FindGlobal(uri, q.local, false, &defDoc);
                if (!global) return;
                def = global;
                if (name.IsEmpty()) name = Attr(global, L"name");
            }
        }
        if (name.IsEmpty()) return;
        FdoStringP propName = ElementName(name);

        if (!prop) {
            FdoStringP type = Attr(def, L"type");
            DOMElement* simple = Child(def, Ns::Xs, L"simpleType");
            DOMElement* complex = Child(def, Ns::Xs, L"complexType");
            if (!type.IsEmpty())
                prop = PropertyOfType(owner, propName, pe, def, defDoc, Resolve(def, type));
            else if (simple)
                prop = MakeData(propName, pe, def, ReadSimpleType(simple, defDoc, 0));
            else if (complex)
                prop = MakeAssociation(owner, propName, pe, def, complex, defDoc);
        }
        if (!prop) return;
        FdoPtr<FdoPropertyDefinitionCollection> props = owner.cls->GetProperties();
        props->Add(prop);
    }

    FdoPropertyDefinition* PropertyOfType(TypeInfo& owner, const FdoStringP& name, DOMElement* pe, DOMElement* def,
                                          SchemaDoc* defDoc, const QName& q) {
        FdoStringP uri = UriOf(q, defDoc);
        Ns ns = Classify(uri);
        int mask = FdoGeometricType_All;
        std::vector<FdoGeometryType> specific;
        if (ns == Ns::Gml)
            return FdoXmlTypeMap::GmlGeometry(q.local, mask, specific) ? MakeGeometric(name, pe, def, mask, specific)
                                                                        : nullptr;
        if (ns == Ns::Fdo && q.local == L"RasterPropertyType") return MakeRaster(name, pe, def);
        Facets facets;
        switch (FdoXmlTypeMap::DataTypeFromXml(ns, q.local, facets.type)) {
            case FdoXmlTypeMap::DataTypeLookup::Mapped:
                return MakeData(name, pe, def, facets);
            case FdoXmlTypeMap::DataTypeLookup::Unmapped:
                Fail(FdoStringP::Format(L"XML type 'xs:%ls' has no FDO data type", (FdoString*)q.local));
            case FdoXmlTypeMap::DataTypeLookup::NotSimple:
                break;
        }
        if (IsForeign(ns)) return nullptr;
        SchemaDoc* stDoc = nullptr;
        if (DOMElement* st = FindGlobal(uri, q.local, true, &stDoc)) return MakeData(name, pe, def, ReadSimpleType(st, stDoc, 0));
        if (TypeInfo* ti = FindType(uri, q.local)) {
            if (ti->state == TypeInfo::IsClass) return MakeObject(owner, name, pe, def, ti->cls, ti->lenient);
            return MakeAssociation(owner, name, pe, def, ti->el, ti->schema);
        }
        if (FdoPtr<FdoClassDefinition> cls = FindTargetClass(uri, q.local))
            return MakeObject(owner, name, pe, def, cls, false);
        return nullptr;  // a type from a schema that is not here
    }

    // An attribute of the property element, or of the global element it refers to.
    static FdoStringP Own(DOMElement* pe, DOMElement* def, FdoString* attr) {
        return HasAttr(pe, attr) || pe == def ? Attr(pe, attr) : Attr(def, attr);
    }
    static FdoStringP OwnFdo(DOMElement* pe, DOMElement* def, FdoString* attr) {
        return HasNsAttr(pe, Ns::Fdo, attr) || pe == def ? NsAttr(pe, Ns::Fdo, attr) : NsAttr(def, Ns::Fdo, attr);
    }
    static bool HasOwnFdo(DOMElement* pe, DOMElement* def, FdoString* attr) {
        return HasNsAttr(pe, Ns::Fdo, attr) || HasNsAttr(def, Ns::Fdo, attr);
    }
    static bool IsNullable(DOMElement* pe) { return Trim(Attr(pe, L"minOccurs")) == L"0"; }

    void ReadPropertyAnnotation(DOMElement* pe, DOMElement* def, FdoSchemaElement* prop) {
        if (!ReadAnnotation(pe, prop) && def != pe) ReadAnnotation(def, prop);
    }

    static FdoInt32 IntValue(DOMElement* el, FdoString* attr, const FdoStringP& text) {
        FdoStringP t = Trim(text);
        if (t.IsEmpty()) return 0;
        FdoInt64 v = 0;
        if (!FdoXmlLexical::ParseInt64(t, v) || v < INT_MIN || v > INT_MAX)
            Fail(FdoStringP::Format(L"%ls %ls '%ls' is not an integer", (FdoString*)Describe(el), attr, (FdoString*)t));
        return static_cast<FdoInt32>(v);
    }

    Facets ReadSimpleType(DOMElement* st, SchemaDoc* doc, int depth) {
        if (depth > kMaxDerivationDepth) Fail(L"the chain of simple types is too long");
        DOMElement* r = Child(st, Ns::Xs, L"restriction");
        if (!r) Fail(L"only xs:restriction simple types have an FDO data type (xs:list and xs:union do not)");
        Facets f;
        FdoStringP base = Attr(r, L"base");
        if (base.IsEmpty()) {
            DOMElement* inner = Child(r, Ns::Xs, L"simpleType");
            if (!inner) Fail(L"xs:restriction has no base type");
            f = ReadSimpleType(inner, doc, depth + 1);
        } else {
            QName q = Resolve(r, base);
            FdoStringP uri = UriOf(q, doc);
            Ns ns = Classify(uri);
            switch (FdoXmlTypeMap::DataTypeFromXml(ns, q.local, f.type)) {
                case FdoXmlTypeMap::DataTypeLookup::Mapped:
                    break;
                case FdoXmlTypeMap::DataTypeLookup::Unmapped:
                    Fail(FdoStringP::Format(L"XML type 'xs:%ls' has no FDO data type", (FdoString*)q.local));
                case FdoXmlTypeMap::DataTypeLookup::NotSimple: {
                    SchemaDoc* baseDoc = nullptr;
                    DOMElement* named = IsForeign(ns) ? nullptr : FindGlobal(uri, q.local, true, &baseDoc);
                    if (!named) Fail(FdoStringP::Format(L"unknown simple type '%ls'", (FdoString*)base));
                    f = ReadSimpleType(named, baseDoc, depth + 1);
                    break;
                }
            }
        }
        for (DOMElement* facet : Children(r)) {
            if (Kind(facet) != Ns::Xs) continue;
            FdoStringP kind = LocalName(facet);
            FdoStringP value = Attr(facet, L"value");
            if (kind == L"maxLength" || kind == L"length") {
                f.length = IntValue(facet, L"value", value);
            } else if (kind == L"totalDigits") {
                f.precision = IntValue(facet, L"value", value);
            } else if (kind == L"fractionDigits") {
                f.scale = IntValue(facet, L"value", value);
                if (HasNsAttr(facet, Ns::Fdo, L"scale")) f.scale = IntValue(facet, L"fdo:scale", NsAttr(facet, Ns::Fdo, L"scale"));
            } else if (kind == L"enumeration") {
                f.enumeration.push_back(value);
            } else if (kind == L"minInclusive" || kind == L"minExclusive") {
                f.hasMin = true;
                f.minValue = value;
                f.minInclusive = kind == L"minInclusive";
            } else if (kind == L"maxInclusive" || kind == L"maxExclusive") {
                f.hasMax = true;
                f.maxValue = value;
                f.maxInclusive = kind == L"maxInclusive";
            }
        }
        if (f.length < 0) Fail(FdoStringP::Format(L"negative length %d", f.length));
        return f;
    }

    static FdoDataValue* ConstraintValue(FdoDataType type, const FdoStringP& text, FdoString* facet) {
        FdoDataValue* v = FdoXmlLexical::ValueFromXml(type, text);
        if (!v)
            Fail(FdoStringP::Format(L"%ls value '%ls' is not valid for the property's data type", facet,
                                    (FdoString*)text));
        return v;
    }

    FdoPropertyDefinition* MakeData(const FdoStringP& name, DOMElement* pe, DOMElement* def, const Facets& f) {
        FdoPtr<FdoDataPropertyDefinition> p = FdoDataPropertyDefinition::Create(name, L"");
        p->SetDataType(f.type);
        p->SetLength(f.length);
        p->SetPrecision(f.precision);
        p->SetScale(f.scale);
        bool nullable = IsNullable(pe);
        p->SetNullable(nullable);
        p->SetReadOnly(IsTrue(OwnFdo(pe, def, L"readOnly")));
        if (IsTrue(OwnFdo(pe, def, L"autogenerated"))) p->SetIsAutoGenerated(true);
        FdoStringP dflt = Own(pe, def, L"default");
        if (!dflt.IsEmpty() && !(nullable && dflt == L"NULL"))
            p->SetDefaultValue(FdoXmlLexical::DefaultFromXml(f.type, dflt));
        if (!f.enumeration.empty()) {
            FdoPtr<FdoPropertyValueConstraintList> list = FdoPropertyValueConstraintList::Create();
            FdoPtr<FdoDataValueCollection> values = list->GetConstraintList();
            for (const FdoStringP& v : f.enumeration) {
                FdoPtr<FdoDataValue> value = ConstraintValue(f.type, v, L"xs:enumeration");
                values->Add(value);
            }
            p->SetValueConstraint(list);
        } else if (f.hasMin || f.hasMax) {
            FdoPtr<FdoDataValue> lo = f.hasMin ? ConstraintValue(f.type, f.minValue, L"minimum") : nullptr;
            FdoPtr<FdoDataValue> hi = f.hasMax ? ConstraintValue(f.type, f.maxValue, L"maximum") : nullptr;
            FdoPtr<FdoPropertyValueConstraintRange> range =
                FdoPropertyValueConstraintRange::Create(lo, f.minInclusive, hi, f.maxInclusive);
            p->SetValueConstraint(range);
        }
        ReadPropertyAnnotation(pe, def, p);
        return FDO_SAFE_ADDREF(p.p);
    }

    static void ApplyGeometryAttributes(FdoGeometricPropertyDefinition* g, DOMElement* pe, DOMElement* def) {
        FdoStringP bad;
        if (HasOwnFdo(pe, def, L"geometricTypes")) {
            int mask = 0;
            if (!FdoXmlTypeMap::GeometricTypesFromTokens(OwnFdo(pe, def, L"geometricTypes"), mask, bad))
                Fail(FdoStringP::Format(L"unknown fdo:geometricTypes token '%ls'", (FdoString*)bad));
            if (mask) g->SetGeometryTypes(mask);
        }
        if (HasOwnFdo(pe, def, L"geometryTypes")) {
            std::vector<FdoGeometryType> types;
            if (!FdoXmlTypeMap::GeometryTypesFromTokens(OwnFdo(pe, def, L"geometryTypes"), types, bad))
                Fail(FdoStringP::Format(L"unknown fdo:geometryTypes token '%ls'", (FdoString*)bad));
            SetSpecific(g, types);
        }
        g->SetHasMeasure(IsTrue(OwnFdo(pe, def, L"hasMeasure")));
        g->SetHasElevation(IsTrue(OwnFdo(pe, def, L"hasElevation")));
        g->SetReadOnly(IsTrue(OwnFdo(pe, def, L"geometryReadOnly")));
        g->SetSpatialContextAssociation(OwnFdo(pe, def, L"srsName"));
    }

    // The specific list overrides the mask only where it says something
    // else: setting it rebuilds the mask, which would drop the Solid bit.
    static void SetSpecific(FdoGeometricPropertyDefinition* g, std::vector<FdoGeometryType> types) {
        if (types.empty()) return;
        std::sort(types.begin(), types.end());
        FdoInt32 n = 0;
        FdoGeometryType* current = g->GetSpecificGeometryTypes(n);
        std::vector<FdoGeometryType> now(current, current + n);
        std::sort(now.begin(), now.end());
        if (now != types) g->SetSpecificGeometryTypes(types.data(), static_cast<FdoInt32>(types.size()));
    }

    FdoPropertyDefinition* MakeGeometric(const FdoStringP& name, DOMElement* pe, DOMElement* def, int mask,
                                         const std::vector<FdoGeometryType>& specific) {
        FdoPtr<FdoGeometricPropertyDefinition> g = FdoGeometricPropertyDefinition::Create(name, L"");
        if (mask != FdoGeometricType_All) g->SetGeometryTypes(mask);
        SetSpecific(g, specific);
        ApplyGeometryAttributes(g, pe, def);
        ReadPropertyAnnotation(pe, def, g);
        return FDO_SAFE_ADDREF(g.p);
    }

    FdoPropertyDefinition* MakeRaster(const FdoStringP& name, DOMElement* pe, DOMElement* def) {
        FdoPtr<FdoRasterPropertyDefinition> r = FdoRasterPropertyDefinition::Create(name, L"");
        r->SetNullable(IsNullable(pe));
        r->SetReadOnly(IsTrue(OwnFdo(pe, def, L"readOnly")));
        r->SetDefaultImageXSize(IntValue(pe, L"fdo:defaultImageXSize", OwnFdo(pe, def, L"defaultImageXSize")));
        r->SetDefaultImageYSize(IntValue(pe, L"fdo:defaultImageYSize", OwnFdo(pe, def, L"defaultImageYSize")));
        r->SetSpatialContextAssociation(OwnFdo(pe, def, L"srsName"));
        ReadPropertyAnnotation(pe, def, r);
        return FDO_SAFE_ADDREF(r.p);
    }

    FdoPropertyDefinition* MakeObject(TypeInfo& owner, const FdoStringP& name, DOMElement* pe, DOMElement* def,
                                      FdoClassDefinition* cls, bool lenientTarget) {
        CheckNoCycle(owner.cls, cls, name);
        FdoPtr<FdoObjectPropertyDefinition> p = FdoObjectPropertyDefinition::Create(name, L"");
        p->SetClass(cls);
        FdoStringP maxOccurs = Trim(Own(pe, def, L"maxOccurs"));
        FdoInt64 count = 1;
        bool many = maxOccurs == L"unbounded" || (FdoXmlLexical::ParseInt64(maxOccurs, count) && count > 1);
        if (many) {
            FdoStringP order = Trim(OwnFdo(pe, def, L"order"));
            if (order.IsEmpty()) {
                p->SetObjectType(FdoObjectType_Collection);
            } else {
                p->SetObjectType(FdoObjectType_OrderedCollection);
                if (order == L"descending")
                    p->SetOrderType(FdoOrderType_Descending);
                else if (order != L"ascending")
                    Fail(FdoStringP::Format(L"fdo:order '%ls' is neither ascending nor descending", (FdoString*)order));
            }
        }
        FdoStringP identity = OwnFdo(pe, def, L"identityProperty");
        if (!identity.IsEmpty()) {
            FdoStringP context = Label(owner) + FdoStringP::Format(L": property '%ls'", (FdoString*)name);
            FdoPtr<FdoObjectPropertyDefinition> keep = p;
            FdoPtr<FdoClassDefinition> target = FDO_SAFE_ADDREF(cls);
            m_deferred.push_back([=]() {
                InContext(context, [&] {
                    FdoPtr<FdoDataPropertyDefinition> id = FindDataProperty(target, ElementName(identity));
                    if (id)
                        keep->SetIdentityProperty(id);
                    else if (!lenientTarget)
                        Fail(FdoStringP::Format(L"fdo:identityProperty '%ls' is not a data property of class '%ls'",
                                                (FdoString*)ElementName(identity), target->GetName()));
                });
            });
        }
        ReadPropertyAnnotation(pe, def, p);
        return FDO_SAFE_ADDREF(p.p);
    }

    // The class a global element (named by ref) stands for.
    FdoClassDefinition* ClassOfElement(DOMElement* at, const FdoStringP& qname, SchemaDoc* context) {
        QName q = Resolve(at, qname);
        FdoStringP uri = UriOf(q, context);
        SchemaDoc* where = nullptr;
        if (DOMElement* global = FindGlobal(uri, q.local, false, &where)) {
            QName tq = Resolve(global, Attr(global, L"type"));
            TypeInfo* t = FindType(UriOf(tq, where), tq.local);
            return t && t->state == TypeInfo::IsClass ? FDO_SAFE_ADDREF(t->cls.p) : nullptr;
        }
        TypeInfo* t = FindType(uri, q.local + L"Type");
        if (t && t->state == TypeInfo::IsClass) return FDO_SAFE_ADDREF(t->cls.p);
        return FindTargetClass(uri, q.local);
    }

    FdoPropertyDefinition* MakeAssociation(TypeInfo& owner, const FdoStringP& name, DOMElement* pe, DOMElement* def,
                                           DOMElement* complex, SchemaDoc* context) {
        FdoPtr<FdoClassDefinition> target;
        DOMElement* keyref = Child(def, Ns::Xs, L"keyref");
        DOMElement* key = nullptr;
        DOMElement* cc = Child(complex, Ns::Xs, L"complexContent");
        DOMElement* restriction = cc ? Child(cc, Ns::Xs, L"restriction") : nullptr;
        if (restriction) {
            QName b = Resolve(restriction, Attr(restriction, L"base"));
            if (Classify(UriOf(b, context)) != Ns::Gml ||
                (b.local != L"FeatureAssociationType" && b.local != L"FeaturePropertyType"))
                return nullptr;
            DOMElement* seq = Child(restriction, Ns::Xs, L"sequence");
            DOMElement* e = seq ? Child(seq, Ns::Xs, L"element") : nullptr;
            if (!e || Attr(e, L"ref").IsEmpty()) return nullptr;
            target = ClassOfElement(e, Attr(e, L"ref"), context);
            keyref = nullptr;
        } else if (keyref) {
            QName q = Resolve(keyref, Attr(keyref, L"refer"));
            auto found = FindKey(UriOf(q, context), q.local, &key);
            if (!found.first) return nullptr;
            QName tq = Resolve(found.first, Attr(found.first, L"type"));
            TypeInfo* t = FindType(UriOf(tq, found.second), tq.local);
            if (t && t->state == TypeInfo::IsClass) target = t->cls;
        }
        if (!target) return nullptr;
        CheckNoCycle(owner.cls, target, name);

        FdoPtr<FdoAssociationPropertyDefinition> a = FdoAssociationPropertyDefinition::Create(name, L"");
        a->SetAssociatedClass(target);
        if (HasOwnFdo(pe, def, L"multiplicity")) a->SetMultiplicity(OwnFdo(pe, def, L"multiplicity"));
        if (Trim(Own(pe, def, L"minOccurs")) == L"1") a->SetReverseMultiplicity(L"1");
        FdoStringP rule = Trim(OwnFdo(pe, def, L"deleteRule"));
        if (rule == L"Cascade")
            a->SetDeleteRule(FdoDeleteRule_Cascade);
        else if (rule == L"Prevent")
            a->SetDeleteRule(FdoDeleteRule_Prevent);
        else if (rule == L"Break")
            a->SetDeleteRule(FdoDeleteRule_Break);
        else if (!rule.IsEmpty())
            Fail(FdoStringP::Format(L"unknown fdo:deleteRule '%ls'", (FdoString*)rule));
        a->SetReverseName(OwnFdo(pe, def, L"reverseName"));
        a->SetLockCascade(IsTrue(OwnFdo(pe, def, L"lockCascade")));
        a->SetIsReadOnly(IsTrue(OwnFdo(pe, def, L"readOnly")));
        if (keyref && key) {
            FdoStringP context2 = Label(owner) + FdoStringP::Format(L": property '%ls'", (FdoString*)name);
            FdoPtr<FdoAssociationPropertyDefinition> keep = a;
            FdoPtr<FdoClassDefinition> holder = owner.cls;
            bool lenient = owner.lenient;
            m_deferred.push_back([=]() {
                InContext(context2, [&] {
                    FdoPtr<FdoDataPropertyDefinitionCollection> ids = keep->GetIdentityProperties();
                    FdoPtr<FdoDataPropertyDefinitionCollection> reverse = keep->GetReverseIdentityProperties();
                    FdoPtr<FdoClassDefinition> assoc = keep->GetAssociatedClass();
                    AddFields(key, assoc, ids, lenient);
                    AddFields(keyref, holder, reverse, lenient);
                });
            });
        }
        ReadPropertyAnnotation(pe, def, a);
        return FDO_SAFE_ADDREF(a.p);
    }

    static void AddFields(DOMElement* keyEl, FdoClassDefinition* cls, FdoDataPropertyDefinitionCollection* out,
                          bool lenient) {
        for (DOMElement* field : Children(keyEl)) {
            if (!Is(field, Ns::Xs, L"field")) continue;
            FdoStringP name = ElementName(Trim(Attr(field, L"xpath")));
            FdoPtr<FdoDataPropertyDefinition> p = FindDataProperty(cls, name);
            if (p && !out->Contains(p.p))
                out->Add(p);
            else if (!p && !lenient)
                Fail(FdoStringP::Format(L"%ls names '%ls', which is not a data property of class '%ls'",
                                        (FdoString*)Describe(keyEl), (FdoString*)name, cls->GetName()));
        }
    }

    // ---- pass 3: identity, unique constraints, main geometry ----------------

    static FdoPropertyDefinition* FindProperty(FdoClassDefinition* cls, const FdoStringP& name) {
        FdoPtr<FdoPropertyDefinitionCollection> own = cls->GetProperties();
        if (FdoPropertyDefinition* p = own->FindItem(name)) return p;
        FdoPtr<FdoReadOnlyPropertyDefinitionCollection> inherited = cls->GetBaseProperties();
        return inherited->FindItem(name);
    }

    static FdoDataPropertyDefinition* FindDataProperty(FdoClassDefinition* cls, const FdoStringP& name) {
        FdoPtr<FdoPropertyDefinition> p = FindProperty(cls, name);
        auto* d = dynamic_cast<FdoDataPropertyDefinition*>(p.p);
        return FDO_SAFE_ADDREF(d);
    }

    void ReadClassKeys(TypeInfo& t) {
        FdoPtr<FdoClassDefinition> base = t.cls->GetBaseClass();
        if (t.classElement) {
            DOMElement* key = Child(t.classElement, Ns::Xs, L"key");
            if (key && !base) {
                FdoPtr<FdoDataPropertyDefinitionCollection> ids = t.cls->GetIdentityProperties();
                for (DOMElement* field : Children(key)) {
                    if (!Is(field, Ns::Xs, L"field")) continue;
                    FdoStringP name = ElementName(Trim(Attr(field, L"xpath")));
                    FdoPtr<FdoPropertyDefinitionCollection> own = t.cls->GetProperties();
                    FdoPtr<FdoPropertyDefinition> p = own->FindItem(name);
                    auto* d = dynamic_cast<FdoDataPropertyDefinition*>(p.p);
                    if (d && !ids->Contains(d))
                        ids->Add(d);
                    else if (!d && !t.lenient)
                        Fail(FdoStringP::Format(L"identity property '%ls' of %ls is not a data property of the class",
                                                (FdoString*)name, (FdoString*)Describe(key)));
                }
            }
            FdoPtr<FdoUniqueConstraintCollection> constraints = t.cls->GetUniqueConstraints();
            for (DOMElement* u : Children(t.classElement)) {
                if (!Is(u, Ns::Xs, L"unique")) continue;
                FdoPtr<FdoUniqueConstraint> uc = FdoUniqueConstraint::Create();
                FdoPtr<FdoDataPropertyDefinitionCollection> members = uc->GetProperties();
                AddFields(u, t.cls, members, t.lenient);
                if (members->GetCount() > 0) constraints->Add(uc);
            }
        }
        if (auto* fc = dynamic_cast<FdoFeatureClass*>(t.cls.p)) ReadMainGeometry(t, fc);
    }

    void ReadMainGeometry(TypeInfo& t, FdoFeatureClass* fc) {
        FdoStringP named = NsAttr(t.el, Ns::Fdo, L"geometryName");
        if (!named.IsEmpty()) {
            FdoStringP name = ElementName(Trim(named));
            FdoPtr<FdoPropertyDefinition> p = FindProperty(fc, name);
            auto* g = dynamic_cast<FdoGeometricPropertyDefinition*>(p.p);
            if (!p && HasClassGeometryAttributes(t.el)) {
                // Older files describe the main geometry on the class type itself.
                FdoPtr<FdoGeometricPropertyDefinition> made = FdoGeometricPropertyDefinition::Create(name, L"");
                ApplyGeometryAttributes(made, t.el, t.el);
                FdoPtr<FdoPropertyDefinitionCollection> own = fc->GetProperties();
                own->Add(made);
                fc->SetGeometryProperty(made);
            } else if (g) {
                fc->SetGeometryProperty(g);
            } else if (!t.lenient) {
                Fail(FdoStringP::Format(L"fdo:geometryName '%ls' is not a geometric property of the class or its bases",
                                        (FdoString*)name));
            }
            return;
        }
        if (Trim(NsAttr(t.el, Ns::Fdo, L"hasGeometry")) == L"false") return;
        FdoPtr<FdoGeometricPropertyDefinition> only;
        int count = 0;
        auto consider = [&](FdoPropertyDefinition* p) {
            if (auto* g = dynamic_cast<FdoGeometricPropertyDefinition*>(p)) {
                count++;
                only = FDO_SAFE_ADDREF(g);
            }
        };
        FdoPtr<FdoPropertyDefinitionCollection> own = fc->GetProperties();
        for (FdoInt32 i = 0; i < own->GetCount(); i++) consider(FdoPtr<FdoPropertyDefinition>(own->GetItem(i)));
        FdoPtr<FdoReadOnlyPropertyDefinitionCollection> inherited = fc->GetBaseProperties();
        for (FdoInt32 i = 0; i < inherited->GetCount(); i++)
            consider(FdoPtr<FdoPropertyDefinition>(inherited->GetItem(i)));
        if (count == 1) fc->SetGeometryProperty(only);
    }

    static bool HasClassGeometryAttributes(DOMElement* el) {
        for (FdoString* a : {L"geometricTypes", L"geometryTypes", L"hasMeasure", L"hasElevation", L"srsName",
                             L"geometryReadOnly"})
            if (HasNsAttr(el, Ns::Fdo, a)) return true;
        return false;
    }

    // ---- reference cycles ---------------------------------------------------

    static void Links(FdoClassDefinition* cls, std::vector<FdoPtr<FdoClassDefinition>>& out) {
        if (FdoClassDefinition* b = cls->GetBaseClass()) out.emplace_back(b);
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        for (FdoInt32 i = 0; i < props->GetCount(); i++) {
            FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
            if (auto* o = dynamic_cast<FdoObjectPropertyDefinition*>(p.p)) {
                if (FdoClassDefinition* c = o->GetClass()) out.emplace_back(c);
            } else if (auto* a = dynamic_cast<FdoAssociationPropertyDefinition*>(p.p)) {
                if (FdoClassDefinition* c = a->GetAssociatedClass()) out.emplace_back(c);
            }
        }
    }

    static void CheckNoCycle(FdoClassDefinition* from, FdoClassDefinition* to, const FdoStringP& property) {
        std::set<FdoClassDefinition*> seen;
        std::vector<FdoPtr<FdoClassDefinition>> stack;
        stack.emplace_back(FDO_SAFE_ADDREF(to));
        while (!stack.empty()) {
            FdoPtr<FdoClassDefinition> c = stack.back();
            stack.pop_back();
            if (c.p == from)
                Fail(FdoStringP::Format(L"property '%ls' leads from class '%ls' back to itself through class '%ls'; "
                                        L"cyclic class references are not supported",
                                        (FdoString*)property, from->GetName(), to->GetName()));
            if (!seen.insert(c.p).second) continue;
            Links(c, stack);
        }
    }

    // ---- annotation ---------------------------------------------------------

    static bool ReadAnnotation(DOMElement* el, FdoSchemaElement* target) {
        DOMElement* ann = Child(el, Ns::Xs, L"annotation");
        if (!ann) return false;
        if (DOMElement* doc = Child(ann, Ns::Xs, L"documentation")) target->SetDescription(Text(doc));
        if (DOMElement* info = Child(ann, Ns::Xs, L"appinfo")) {
            FdoPtr<FdoSchemaAttributeDictionary> dict = target->GetAttributes();
            for (DOMElement* a : Children(info)) {
                if (!Is(a, Ns::Fdo, L"attribute")) continue;
                FdoStringP name = Attr(a, L"name");
                if (name.IsEmpty()) continue;
                if (dict->ContainsAttribute(name))
                    dict->SetAttributeValue(name, Text(a));
                else
                    dict->Add(name, Text(a));
            }
        }
        return true;
    }

    // ---- hand-over ----------------------------------------------------------

    void Attach() {
        for (FdoFeatureSchema* schema : m_schemaOrder) {
            FdoPtr<FdoFeatureSchema> existing = m_target->FindItem(schema->GetName());
            if (!existing) continue;
            FdoPtr<FdoClassCollection> mine = schema->GetClasses();
            FdoPtr<FdoClassCollection> theirs = existing->GetClasses();
            for (FdoInt32 i = 0; i < mine->GetCount(); i++) {
                FdoPtr<FdoClassDefinition> c = mine->GetItem(i);
                if (theirs->Contains(c->GetName()))
                    Fail(FdoStringP::Format(L"schema '%ls' already holds class '%ls'", schema->GetName(), c->GetName()));
            }
        }
        for (FdoFeatureSchema* schema : m_schemaOrder) {
            FdoPtr<FdoFeatureSchema> existing = m_target->FindItem(schema->GetName());
            if (!existing) {
                m_target->Add(schema);
                continue;
            }
            FdoPtr<FdoClassCollection> mine = schema->GetClasses();
            FdoPtr<FdoClassCollection> theirs = existing->GetClasses();
            while (mine->GetCount() > 0) {
                FdoPtr<FdoClassDefinition> c = mine->GetItem(0);
                mine->RemoveAt(0);
                theirs->Add(c);
            }
            if (!FdoStringP(schema->GetDescription()).IsEmpty()) existing->SetDescription(schema->GetDescription());
            FdoPtr<FdoSchemaAttributeDictionary> from = schema->GetAttributes();
            FdoPtr<FdoSchemaAttributeDictionary> to = existing->GetAttributes();
            FdoInt32 n = 0;
            FdoString** names = from->GetAttributeNames(n);
            std::vector<FdoStringP> keys(names, names + n);
            for (const FdoStringP& k : keys) {
                if (to->ContainsAttribute(k))
                    to->SetAttributeValue(k, from->GetAttributeValue(k));
                else
                    to->Add(k, from->GetAttributeValue(k));
            }
        }
    }

    const Document& m_doc;
    FdoFeatureSchemaCollection* m_target;
    std::vector<std::unique_ptr<SchemaDoc>> m_docs;
    std::map<std::wstring, TypeInfo> m_types;
    std::vector<TypeInfo*> m_typeOrder;
    std::map<std::wstring, FdoPtr<FdoFeatureSchema>> m_schemas;
    std::vector<FdoFeatureSchema*> m_schemaOrder;
    std::vector<std::function<void()>> m_deferred;
};

}  // namespace

FdoStringP SchemaNameFromUri(FdoString* uri) {
    std::wstring s = Trim(FdoStringP(uri)).Str();
    for (FdoString* prefix : {kFeatureUrl, kLegacyUrl, L"http://"}) {
        if (s.compare(0, wcslen(prefix), prefix) == 0) {
            s.erase(0, wcslen(prefix));
            break;
        }
    }
    while (!s.empty() && s.back() == L'/') s.pop_back();
    size_t slash = s.rfind(L'/');
    if (slash != std::wstring::npos) s.erase(0, slash + 1);
    return ElementName(s.c_str());
}

void Read(const Document& doc, FdoFeatureSchemaCollection* target) {
    if (!target) throw FdoSchemaException::Create(L"No schema collection to read into.");
    try {
        Reader(doc, target).Run();
    } catch (FdoException* e) {
        FdoStringP text = FdoStringP(doc.Source()) + L": " + e->ToFullString();
        bool xml = dynamic_cast<FdoXmlException*>(e) != nullptr;
        e->Release();
        if (xml) throw FdoXmlException::Create(text);
        throw FdoSchemaException::Create(text);
    }
}

}  // namespace FdoSchemaXmlReader
