// Schema writer (see SchemaXmlWriter.h). Element and attribute order follow
// the form FDO writes, so files diff cleanly against FDO's own output.
#include "xml/SchemaXmlWriter.h"

#include "xml/SpatialContextXmlIO.h"
#include "xml/XmlDom.h"
#include "xml/XmlLexical.h"
#include "xml/XmlTextWriter.h"
#include "xml/XmlTypeMap.h"

#include <Fdo/Schema/AssociationPropertyDefinition.h>
#include <Fdo/Schema/ObjectPropertyDefinition.h>
#include <Fdo/Schema/RasterPropertyDefinition.h>
#include <Fdo/Xml/XmlNames.h>

#include <algorithm>
#include <map>
#include <set>

namespace FdoSchemaXmlWriter {

namespace {

FdoString* const kFeatureUrl = L"http://fdo.osgeo.org/schemas/feature/";

FdoStringP Enc(FdoString* name) { return FdoXmlNames::Encode(name); }

[[noreturn]] void Fail(const FdoStringP& message) { throw FdoXmlException::Create(message); }

struct ExtraKey {
    FdoStringP name;
    std::vector<FdoStringP> fields;
};

class Writer {
public:
    explicit Writer(FdoFeatureSchemaCollection* schemas) : m_schemas(schemas) {}

    std::string Run(const std::vector<FdoXmlSpatialContext>* contexts) {
        for (FdoInt32 i = 0; i < m_schemas->GetCount(); i++) {
            FdoPtr<FdoFeatureSchema> schema = m_schemas->GetItem(i);
            Prefix(schema->GetName());
            PlanAssociationKeys(schema);
        }
        bool withContexts = contexts && !contexts->empty();
        if (m_schemas->GetCount() == 1 && !withContexts) {
            FdoPtr<FdoFeatureSchema> schema = m_schemas->GetItem(0);
            WriteSchema(schema, true);
        } else {
            m_w.StartElement(L"fdo:DataStore");
            m_w.Attribute(L"xmlns:xs", FdoXmlDom::kXsUri);
            m_w.Attribute(L"xmlns:xsi", FdoXmlDom::kXsiUri);
            m_w.Attribute(L"xmlns:xlink", FdoXmlDom::kXlinkUri);
            m_w.Attribute(L"xmlns:gml", FdoXmlDom::kGmlUri);
            m_w.Attribute(L"xmlns:fdo", FdoXmlDom::kFdoUri);
            m_w.Attribute(L"xmlns:fds", FdoXmlDom::kFdsUri);
            if (withContexts)
                for (const FdoXmlSpatialContext& sc : *contexts) FdoSpatialContextXmlIO::WriteDerivedCrs(m_w, sc);
            for (FdoInt32 i = 0; i < m_schemas->GetCount(); i++) {
                FdoPtr<FdoFeatureSchema> schema = m_schemas->GetItem(i);
                WriteSchema(schema, false);
            }
            m_w.EndElement();
        }
        return m_w.Result();
    }

private:
    // ---- names and prefixes -------------------------------------------------

    FdoStringP Prefix(FdoString* schemaName) {
        auto it = m_prefixes.find(schemaName);
        if (it != m_prefixes.end()) return it->second;
        FdoStringP base = Enc(schemaName);
        FdoStringP prefix = base;
        for (int n = 1; Reserved(prefix) || m_usedPrefixes.count(prefix.Str()); n++)
            prefix = FdoStringP::Format(L"s%d_%ls", n, (FdoString*)base);
        m_usedPrefixes.insert(prefix.Str());
        m_prefixes.emplace(schemaName, prefix);
        return prefix;
    }

    static bool Reserved(const FdoStringP& prefix) {
        static const std::set<std::wstring> taken = {L"xs", L"xsi", L"xlink", L"gml", L"fdo", L"fds"};
        return prefix.IsEmpty() || taken.count(prefix.Str()) || prefix.Lower().Str().compare(0, 3, L"xml") == 0;
    }

    static FdoStringP Namespace(FdoString* schemaName) { return FdoStringP(kFeatureUrl) + Enc(schemaName); }

    // "<prefix>:<Class>Type" for a class in any schema.
    FdoStringP TypeRef(FdoClassDefinition* cls, FdoString* usedBy) {
        return SchemaPrefixOf(cls, usedBy) + L":" + Enc(cls->GetName()) + L"Type";
    }

    FdoStringP SchemaPrefixOf(FdoClassDefinition* cls, FdoString* usedBy) {
        FdoPtr<FdoFeatureSchema> schema = cls->GetFeatureSchema();
        if (!schema)
            Fail(FdoStringP::Format(L"class '%ls', used by '%ls', belongs to no feature schema", cls->GetName(), usedBy));
        return Prefix(schema->GetName());
    }

    // ---- keys for associations ----------------------------------------------

    static std::vector<FdoStringP> Names(FdoDataPropertyDefinitionCollection* props) {
        std::vector<FdoStringP> out;
        for (FdoInt32 i = 0; i < props->GetCount(); i++) {
            FdoPtr<FdoDataPropertyDefinition> p = props->GetItem(i);
            if (!p->GetIsSystem()) out.push_back(Enc(p->GetName()));
        }
        return out;
    }

    // A keyed association refers to an xs:key on the associated class's
    // element; those keys are decided before any class is written.
    void PlanAssociationKeys(FdoFeatureSchema* schema) {
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
            FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
            FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
            for (FdoInt32 j = 0; j < props->GetCount(); j++) {
                FdoPtr<FdoPropertyDefinition> p = props->GetItem(j);
                auto* a = dynamic_cast<FdoAssociationPropertyDefinition*>(p.p);
                if (!a || a->GetIsSystem()) continue;
                FdoPtr<FdoClassDefinition> target = a->GetAssociatedClass();
                FdoPtr<FdoDataPropertyDefinitionCollection> ids = a->GetIdentityProperties();
                FdoPtr<FdoDataPropertyDefinitionCollection> reverse = a->GetReverseIdentityProperties();
                if (!target || (ids->GetCount() == 0 && reverse->GetCount() == 0)) continue;
                FdoStringP base = Enc(target->GetName()) + L"_" + Enc(cls->GetName()) + L"AKey";
                FdoStringP name = base;
                for (int n = 1; m_keyNames.count(name.Str()); n++) name = base + FdoStringP::Format(L"%d", n);
                m_keyNames.insert(name.Str());
                m_extraKeys[target.p].push_back(ExtraKey{name, Names(ids)});
                m_assocKeys[a] = name;
            }
        }
    }

    // ---- schema and class ---------------------------------------------------

    void WriteSchema(FdoFeatureSchema* schema, bool isRoot) {
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        std::vector<FdoStringP> referenced;
        for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
            FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
            for (FdoFeatureSchema* other : ReferencedSchemas(cls)) {
                FdoStringP name = other->GetName();
                other->Release();
                if (name != schema->GetName() &&
                    std::find(referenced.begin(), referenced.end(), name) == referenced.end())
                    referenced.push_back(name);
            }
        }
        m_w.StartElement(L"xs:schema");
        m_w.Attribute(L"xmlns:xs", FdoXmlDom::kXsUri);
        m_w.Attribute(L"targetNamespace", Namespace(schema->GetName()));
        m_w.Attribute(L"xmlns:fdo", FdoXmlDom::kFdoUri);
        m_w.Attribute(L"xmlns:gml", FdoXmlDom::kGmlUri);
        if (isRoot) m_w.Attribute(L"xmlns:xlink", FdoXmlDom::kXlinkUri);
        m_w.Attribute(L"xmlns:" + Prefix(schema->GetName()), Namespace(schema->GetName()));
        for (const FdoStringP& name : referenced) m_w.Attribute(L"xmlns:" + Prefix(name), Namespace(name));
        m_w.Attribute(L"elementFormDefault", L"qualified");
        m_w.Attribute(L"attributeFormDefault", L"unqualified");
        WriteAnnotation(schema);
        for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
            FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
            WriteClass(schema, cls);
        }
        m_w.EndElement();
    }

    // New references.
    static std::vector<FdoFeatureSchema*> ReferencedSchemas(FdoClassDefinition* cls) {
        std::vector<FdoFeatureSchema*> out;
        auto add = [&](FdoClassDefinition* c) {
            if (!c) return;
            if (FdoFeatureSchema* s = c->GetFeatureSchema()) out.push_back(s);
            c->Release();
        };
        add(cls->GetBaseClass());
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        for (FdoInt32 i = 0; i < props->GetCount(); i++) {
            FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
            if (p->GetIsSystem()) continue;
            if (auto* o = dynamic_cast<FdoObjectPropertyDefinition*>(p.p)) add(o->GetClass());
            if (auto* a = dynamic_cast<FdoAssociationPropertyDefinition*>(p.p)) add(a->GetAssociatedClass());
        }
        return out;
    }

    void WriteClass(FdoFeatureSchema* schema, FdoClassDefinition* cls) {
        FdoStringP name = Enc(cls->GetName());
        FdoString* abstract = cls->GetIsAbstract() ? L"true" : L"false";
        FdoPtr<FdoClassDefinition> base = cls->GetBaseClass();
        FdoPtr<FdoDataPropertyDefinitionCollection> idList =
            base ? cls->GetBaseIdentityProperties() : cls->GetIdentityProperties();
        std::vector<FdoStringP> ids = Names(idList);
        FdoPtr<FdoUniqueConstraintCollection> uniques = cls->GetUniqueConstraints();
        const std::vector<ExtraKey>& extra = m_extraKeys[cls];

        if (!ids.empty() || uniques->GetCount() > 0 || !extra.empty()) {
            m_w.StartElement(L"xs:element");
            m_w.Attribute(L"name", name);
            m_w.Attribute(L"type", Prefix(schema->GetName()) + L":" + name + L"Type");
            m_w.Attribute(L"abstract", abstract);
            m_w.Attribute(L"substitutionGroup", L"gml:_Feature");
            // Identity is the first key: a class without identity that holds
            // association keys gets an empty one in front of them.
            if (!ids.empty() || !extra.empty()) WriteKey(L"xs:key", name + L"Key", name, ids);
            for (const ExtraKey& k : extra) WriteKey(L"xs:key", k.name, name, k.fields);
            for (FdoInt32 i = 0; i < uniques->GetCount(); i++) {
                FdoPtr<FdoUniqueConstraint> u = uniques->GetItem(i);
                FdoPtr<FdoDataPropertyDefinitionCollection> members = u->GetProperties();
                std::vector<FdoStringP> fields = Names(members);
                if (!fields.empty()) WriteKey(L"xs:unique", name + FdoStringP::Format(L"Key_%d", i), name, fields);
            }
            m_w.EndElement();
        }

        m_w.StartElement(L"xs:complexType");
        m_w.Attribute(L"name", name + L"Type");
        m_w.Attribute(L"abstract", abstract);
        bool feature = cls->GetClassType() == FdoClassType_FeatureClass;
        if (auto* fc = dynamic_cast<FdoFeatureClass*>(cls)) {
            FdoPtr<FdoGeometricPropertyDefinition> g = fc->GetGeometryProperty();
            if (g && !g->GetIsSystem()) {
                m_w.Attribute(L"fdo:geometryName", Enc(g->GetName()));
                FdoPtr<FdoPropertyDefinitionCollection> own = cls->GetProperties();
                if (!own->Contains(g.p)) m_w.Attribute(L"fdo:geometryInherited", L"true");
            } else {
                m_w.Attribute(L"fdo:hasGeometry", L"false");
            }
        }
        WriteAnnotation(cls);

        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        std::vector<FdoPtr<FdoPropertyDefinition>> own;
        for (FdoInt32 i = 0; i < props->GetCount(); i++) {
            FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
            if (!p->GetIsSystem()) own.push_back(p);
        }
        FdoStringP extends;
        if (base)
            extends = TypeRef(base, cls->GetName());
        else if (feature)
            extends = L"gml:AbstractFeatureType";
        else if (!ids.empty())
            extends = L"fdo:ClassType";
        if (!extends.IsEmpty()) {
            m_w.StartElement(L"xs:complexContent");
            m_w.StartElement(L"xs:extension");
            m_w.Attribute(L"base", extends);
        }
        if (!own.empty()) {
            m_w.StartElement(L"xs:sequence");
            for (auto& p : own) WriteProperty(schema, cls, p);
            m_w.EndElement();
        }
        if (!extends.IsEmpty()) {
            m_w.EndElement();
            m_w.EndElement();
        }
        m_w.EndElement();
    }

    void WriteKey(FdoString* kind, const FdoStringP& keyName, const FdoStringP& className,
                  const std::vector<FdoStringP>& fields) {
        m_w.StartElement(kind);
        m_w.Attribute(L"name", keyName);
        m_w.StartElement(L"xs:selector");
        m_w.Attribute(L"xpath", L".//" + className);
        m_w.EndElement();
        for (const FdoStringP& f : fields) {
            m_w.StartElement(L"xs:field");
            m_w.Attribute(L"xpath", f);
            m_w.EndElement();
        }
        m_w.EndElement();
    }

    // ---- properties ---------------------------------------------------------

    void WriteProperty(FdoFeatureSchema* schema, FdoClassDefinition* cls, FdoPropertyDefinition* p) {
        switch (p->GetPropertyType()) {
            case FdoPropertyType_DataProperty:
                WriteData(static_cast<FdoDataPropertyDefinition*>(p));
                break;
            case FdoPropertyType_GeometricProperty:
                WriteGeometric(static_cast<FdoGeometricPropertyDefinition*>(p));
                break;
            case FdoPropertyType_ObjectProperty:
                WriteObject(cls, static_cast<FdoObjectPropertyDefinition*>(p));
                break;
            case FdoPropertyType_AssociationProperty:
                WriteAssociation(schema, cls, static_cast<FdoAssociationPropertyDefinition*>(p));
                break;
            case FdoPropertyType_RasterProperty:
                WriteRaster(static_cast<FdoRasterPropertyDefinition*>(p));
                break;
        }
    }

    void WriteData(FdoDataPropertyDefinition* p) {
        FdoDataType type = p->GetDataType();
        m_w.StartElement(L"xs:element");
        m_w.Attribute(L"name", Enc(p->GetName()));
        if (p->GetNullable()) m_w.Attribute(L"minOccurs", L"0");
        FdoStringP dflt = p->GetDefaultValue();
        if (!dflt.IsEmpty()) m_w.Attribute(L"default", FdoXmlLexical::DefaultToXml(type, dflt));
        if (p->GetReadOnly()) m_w.Attribute(L"fdo:readOnly", L"true");
        if (p->GetIsAutoGenerated()) m_w.Attribute(L"fdo:autogenerated", L"true");
        bool annotationFirst = type == FdoDataType_String || type == FdoDataType_Decimal;
        if (annotationFirst) WriteAnnotation(p);
        m_w.StartElement(L"xs:simpleType");
        m_w.StartElement(L"xs:restriction");
        m_w.Attribute(L"base", FdoXmlTypeMap::DataTypeToXml(type));
        bool lengthType = type == FdoDataType_String || type == FdoDataType_BLOB || type == FdoDataType_CLOB;
        if (lengthType && p->GetLength() > 0) Facet(L"xs:maxLength", FdoStringP::Format(L"%d", p->GetLength()));
        if (type == FdoDataType_Decimal) {
            if (p->GetPrecision() > 0) Facet(L"xs:totalDigits", FdoStringP::Format(L"%d", p->GetPrecision()));
            m_w.StartElement(L"xs:fractionDigits");
            m_w.Attribute(L"value", FdoStringP::Format(L"%d", p->GetScale() < 0 ? 0 : p->GetScale()));
            if (p->GetScale() < 0) m_w.Attribute(L"fdo:scale", FdoStringP::Format(L"%d", p->GetScale()));
            m_w.EndElement();
        }
        WriteConstraint(p);
        m_w.EndElement();
        m_w.EndElement();
        if (!annotationFirst) WriteAnnotation(p);
        m_w.EndElement();
    }

    void Facet(FdoString* kind, FdoString* value) {
        m_w.StartElement(kind);
        m_w.Attribute(L"value", value);
        m_w.EndElement();
    }

    void WriteConstraint(FdoDataPropertyDefinition* p) {
        FdoPtr<FdoPropertyValueConstraint> c = p->GetValueConstraint();
        if (!c) return;
        if (auto* list = dynamic_cast<FdoPropertyValueConstraintList*>(c.p)) {
            FdoPtr<FdoDataValueCollection> values = list->GetConstraintList();
            for (FdoInt32 i = 0; i < values->GetCount(); i++) {
                FdoPtr<FdoDataValue> v = values->GetItem(i);
                if (v && !v->IsNull()) Facet(L"xs:enumeration", FdoXmlLexical::ValueToXml(v));
            }
        } else if (auto* range = dynamic_cast<FdoPropertyValueConstraintRange*>(c.p)) {
            FdoPtr<FdoDataValue> lo = range->GetMinValue();
            FdoPtr<FdoDataValue> hi = range->GetMaxValue();
            if (lo && !lo->IsNull())
                Facet(range->GetMinInclusive() ? L"xs:minInclusive" : L"xs:minExclusive", FdoXmlLexical::ValueToXml(lo));
            if (hi && !hi->IsNull())
                Facet(range->GetMaxInclusive() ? L"xs:maxInclusive" : L"xs:maxExclusive", FdoXmlLexical::ValueToXml(hi));
        }
    }

    void WriteGeometric(FdoGeometricPropertyDefinition* g) {
        m_w.StartElement(L"xs:element");
        m_w.Attribute(L"name", Enc(g->GetName()));
        m_w.Attribute(L"type", L"gml:AbstractGeometryType");
        if (g->GetReadOnly()) m_w.Attribute(L"fdo:geometryReadOnly", L"true");
        m_w.Attribute(L"fdo:hasMeasure", g->GetHasMeasure() ? L"true" : L"false");
        m_w.Attribute(L"fdo:hasElevation", g->GetHasElevation() ? L"true" : L"false");
        FdoStringP sc = g->GetSpatialContextAssociation();
        if (!sc.IsEmpty()) m_w.Attribute(L"fdo:srsName", sc);
        m_w.Attribute(L"fdo:geometricTypes", FdoXmlTypeMap::GeometricTypesToTokens(g->GetGeometryTypes()));
        FdoInt32 n = 0;
        FdoGeometryType* types = g->GetSpecificGeometryTypes(n);
        m_w.Attribute(L"fdo:geometryTypes", FdoXmlTypeMap::GeometryTypesToTokens(types, n));
        WriteAnnotation(g);
        m_w.EndElement();
    }

    void WriteObject(FdoClassDefinition* owner, FdoObjectPropertyDefinition* p) {
        FdoPtr<FdoClassDefinition> cls = p->GetClass();
        if (!cls)
            Fail(FdoStringP::Format(L"object property '%ls' of class '%ls' has no class", p->GetName(),
                                    owner->GetName()));
        m_w.StartElement(L"xs:element");
        m_w.Attribute(L"name", Enc(p->GetName()));
        m_w.Attribute(L"type", TypeRef(cls, p->GetName()));
        m_w.Attribute(L"minOccurs", L"0");
        if (p->GetObjectType() != FdoObjectType_Value) m_w.Attribute(L"maxOccurs", L"unbounded");
        FdoPtr<FdoDataPropertyDefinition> id = p->GetIdentityProperty();
        if (id) m_w.Attribute(L"fdo:identityProperty", Enc(id->GetName()));
        if (p->GetObjectType() == FdoObjectType_OrderedCollection)
            m_w.Attribute(L"fdo:order", p->GetOrderType() == FdoOrderType_Descending ? L"descending" : L"ascending");
        WriteAnnotation(p);
        m_w.EndElement();
    }

    void WriteAssociation(FdoFeatureSchema* schema, FdoClassDefinition* owner, FdoAssociationPropertyDefinition* a) {
        FdoPtr<FdoClassDefinition> target = a->GetAssociatedClass();
        if (!target)
            Fail(FdoStringP::Format(L"association property '%ls' of class '%ls' has no associated class",
                                    a->GetName(), owner->GetName()));
        static const FdoString* rules[] = {L"Cascade", L"Prevent", L"Break"};
        m_w.StartElement(L"xs:element");
        m_w.Attribute(L"name", Enc(a->GetName()));
        m_w.Attribute(L"minOccurs", FdoStringP(a->GetReverseMultiplicity()) == L"1" ? L"1" : L"0");
        m_w.Attribute(L"maxOccurs", L"1");
        m_w.Attribute(L"fdo:multiplicity", a->GetMultiplicity());
        int rule = a->GetDeleteRule();
        m_w.Attribute(L"fdo:deleteRule", rule >= 0 && rule <= 2 ? rules[rule] : L"Break");
        if (!FdoStringP(a->GetReverseName()).IsEmpty()) m_w.Attribute(L"fdo:reverseName", a->GetReverseName());
        if (a->GetLockCascade()) m_w.Attribute(L"fdo:lockCascade", L"true");
        if (a->GetIsReadOnly()) m_w.Attribute(L"fdo:readOnly", L"true");
        WriteAnnotation(a);
        auto keyed = m_assocKeys.find(a);
        if (keyed == m_assocKeys.end()) {
            m_w.StartElement(L"xs:complexType");
            m_w.StartElement(L"xs:complexContent");
            m_w.StartElement(L"xs:restriction");
            m_w.Attribute(L"base", L"gml:FeatureAssociationType");
            m_w.StartElement(L"xs:sequence");
            m_w.StartElement(L"xs:element");
            m_w.Attribute(L"ref", SchemaPrefixOf(target, a->GetName()) + L":" + Enc(target->GetName()));
            m_w.Attribute(L"minOccurs", L"0");
            m_w.EndElement();
            m_w.EndElement();
            m_w.StartElement(L"xs:attributeGroup");
            m_w.Attribute(L"ref", L"xlink:simpleLink");
            m_w.EndElement();
            m_w.StartElement(L"xs:attribute");
            m_w.Attribute(L"ref", L"gml:remoteSchema");
            m_w.Attribute(L"use", L"prohibited");
            m_w.EndElement();
            m_w.EndElement();
            m_w.EndElement();
            m_w.EndElement();
        } else {
            FdoPtr<FdoDataPropertyDefinitionCollection> reverse = a->GetReverseIdentityProperties();
            m_w.StartElement(L"xs:complexType");
            m_w.StartElement(L"xs:sequence");
            for (FdoInt32 i = 0; i < reverse->GetCount(); i++) {
                FdoPtr<FdoDataPropertyDefinition> r = reverse->GetItem(i);
                if (!r->GetIsSystem()) WriteData(r);
            }
            m_w.EndElement();
            m_w.EndElement();
            m_w.StartElement(L"xs:keyref");
            m_w.Attribute(L"name", Enc(schema->GetName()) + L"_" + Enc(owner->GetName()) + L"_" + Enc(a->GetName()));
            m_w.Attribute(L"refer", SchemaPrefixOf(target, a->GetName()) + L":" + keyed->second);
            m_w.StartElement(L"xs:selector");
            m_w.Attribute(L"xpath", L".//" + Enc(owner->GetName()));
            m_w.EndElement();
            for (const FdoStringP& f : Names(reverse)) {
                m_w.StartElement(L"xs:field");
                m_w.Attribute(L"xpath", f);
                m_w.EndElement();
            }
            m_w.EndElement();
        }
        m_w.EndElement();
    }

    void WriteRaster(FdoRasterPropertyDefinition* r) {
        m_w.StartElement(L"xs:element");
        m_w.Attribute(L"name", Enc(r->GetName()));
        m_w.Attribute(L"type", L"fdo:RasterPropertyType");
        if (r->GetNullable()) m_w.Attribute(L"minOccurs", L"0");
        if (r->GetReadOnly()) m_w.Attribute(L"fdo:readOnly", L"true");
        if (r->GetDefaultImageXSize())
            m_w.Attribute(L"fdo:defaultImageXSize", FdoStringP::Format(L"%d", r->GetDefaultImageXSize()));
        if (r->GetDefaultImageYSize())
            m_w.Attribute(L"fdo:defaultImageYSize", FdoStringP::Format(L"%d", r->GetDefaultImageYSize()));
        FdoStringP sc = r->GetSpatialContextAssociation();
        if (!sc.IsEmpty()) m_w.Attribute(L"fdo:srsName", sc);
        WriteAnnotation(r);
        m_w.EndElement();
    }

    // ---- annotation ---------------------------------------------------------

    void WriteAnnotation(FdoSchemaElement* e) {
        m_w.StartElement(L"xs:annotation");
        m_w.TextElement(L"xs:documentation", e->GetDescription());
        FdoPtr<FdoSchemaAttributeDictionary> dict = e->GetAttributes();
        FdoInt32 n = 0;
        FdoString** names = dict->GetAttributeNames(n);
        if (n > 0) {
            std::vector<FdoStringP> keys(names, names + n);
            m_w.StartElement(L"xs:appinfo");
            m_w.Attribute(L"source", FdoXmlDom::kFdoUri);
            for (const FdoStringP& k : keys) {
                m_w.StartElement(L"fdo:attribute");
                m_w.Attribute(L"name", k);
                m_w.Text(dict->GetAttributeValue(k));
                m_w.EndElement();
            }
            m_w.EndElement();
        }
        m_w.EndElement();
    }

    FdoFeatureSchemaCollection* m_schemas;
    FdoXmlTextWriter m_w;
    std::map<std::wstring, FdoStringP> m_prefixes;
    std::set<std::wstring> m_usedPrefixes;
    std::set<std::wstring> m_keyNames;
    std::map<FdoClassDefinition*, std::vector<ExtraKey>> m_extraKeys;
    std::map<FdoAssociationPropertyDefinition*, FdoStringP> m_assocKeys;
};

}  // namespace

std::string Write(FdoFeatureSchemaCollection* schemas, const std::vector<FdoXmlSpatialContext>* contexts) {
    if (!schemas) throw FdoXmlException::Create(L"No schema collection to write.");
    return Writer(schemas).Run(contexts);
}

}  // namespace FdoSchemaXmlWriter
