// FdoCommonFilterEvaluator: prepares a filter into evaluation nodes (see
// eval/EvalNodes.h) and binds its property slots to each reader it meets.
// The preparing is itself a filter processor; expressions are switched on
// their item type.
#include <FdoCommon/FdoCommonFilterEvaluator.h>

#include <Fdo/Commands/Feature/IDataReader.h>
#include <Fdo/Expression/IExpressionProcessor.h>
#include <Fdo/Filter/IFilterProcessor.h>

#include "filter/eval/EvalGeometry.h"

namespace {

using namespace FdoFilterEval;

// Filter text for messages, cut when long (geometry literals can be).
std::wstring Shown(FdoString* text) {
    std::wstring s(text ? text : L"");
    return s.size() > 120 ? s.substr(0, 120) + L"..." : s;
}

Value ValueOf(FdoDataValue* v) {
    Value out;
    if (v->IsNull()) return out;
    switch (v->GetDataType()) {
        case FdoDataType_Boolean: out.SetBoolean(static_cast<FdoBooleanValue*>(v)->GetBoolean()); break;
        case FdoDataType_Byte: out.SetInteger(static_cast<FdoByteValue*>(v)->GetByte()); break;
        case FdoDataType_Int16: out.SetInteger(static_cast<FdoInt16Value*>(v)->GetInt16()); break;
        case FdoDataType_Int32: out.SetInteger(static_cast<FdoInt32Value*>(v)->GetInt32()); break;
        case FdoDataType_Int64: out.SetInteger(static_cast<FdoInt64Value*>(v)->GetInt64()); break;
        case FdoDataType_Single: out.SetReal(static_cast<FdoSingleValue*>(v)->GetSingle()); break;
        case FdoDataType_Double: out.SetReal(static_cast<FdoDoubleValue*>(v)->GetDouble()); break;
        case FdoDataType_Decimal: out.SetReal(static_cast<FdoDecimalValue*>(v)->GetDecimal()); break;
        case FdoDataType_String: out.SetOwnedText(static_cast<FdoStringValue*>(v)->GetString()); break;
        case FdoDataType_DateTime: out.SetDateTime(static_cast<FdoDateTimeValue*>(v)->GetDateTime()); break;
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: {
            FdoPtr<FdoByteArray> data = static_cast<FdoLOBValue*>(v)->GetData();
            if (v->GetDataType() == FdoDataType_BLOB) {
                out.SetBytes(Kind::Bytes, data->GetData(), data->GetCount(), data);
            } else {
                std::string utf8(reinterpret_cast<const char*>(data->GetData()), static_cast<size_t>(data->GetCount()));
                out.SetOwnedText(FdoStringP::Utf8ToUnicode(utf8.c_str()));
            }
            break;
        }
    }
    return out;
}

class Compiler : public FdoIFilterProcessor {
public:
    Compiler(FdoClassDefinition* cls, FdoParameterValueCollection* params, std::vector<Slot>& slots,
             std::unique_ptr<GeosContext>& geos)
        : m_class(cls), m_params(params), m_slots(slots), m_geos(geos) {}

    FilterPtr Filter(FdoFilter* f) {
        if (!f) throw FdoFilterException::Create(L"The filter has an empty operand.");
        f->Process(this);
        return std::move(m_out);
    }

    void ProcessBinaryLogicalOperator(FdoBinaryLogicalOperator& f) override {
        FdoPtr<FdoFilter> l = f.GetLeftOperand(), r = f.GetRightOperand();
        FilterPtr left = Filter(l);
        FilterPtr right = Filter(r);
        m_out = MakeLogical(f.GetOperation(), std::move(left), std::move(right));
    }

    void ProcessUnaryLogicalOperator(FdoUnaryLogicalOperator& f) override {
        FdoPtr<FdoFilter> operand = f.GetOperand();
        m_out = MakeNot(Filter(operand));
    }

    void ProcessComparisonCondition(FdoComparisonCondition& f) override {
        FdoPtr<FdoExpression> l = f.GetLeftExpression(), r = f.GetRightExpression();
        ExprPtr left = Expr(l);
        m_out = MakeComparison(f.GetOperation(), std::move(left), Expr(r), Shown(f.ToString()));
    }

    void ProcessInCondition(FdoInCondition& f) override {
        FdoPtr<FdoSubSelectExpression> sub = f.GetSubSelect();
        if (sub) throw FdoFilterException::Create(L"Sub-selects in IN conditions are not supported by this provider.");
        FdoPtr<FdoIdentifier> id = f.GetPropertyName();
        ExprPtr property = Expr(id);
        FdoPtr<FdoValueExpressionCollection> list = f.GetValues();
        std::vector<ExprPtr> values;
        for (FdoInt32 i = 0; i < list->GetCount(); i++) {
            FdoPtr<FdoValueExpression> v = list->GetItem(i);
            values.push_back(Expr(v));
        }
        m_out = MakeIn(std::move(property), std::move(values), Shown(f.ToString()));
    }

    void ProcessNullCondition(FdoNullCondition& f) override {
        FdoPtr<FdoIdentifier> id = f.GetPropertyName();
        m_out = MakeNullTest(Expr(id));
    }

    void ProcessSpatialCondition(FdoSpatialCondition& f) override {
        FdoPtr<FdoIdentifier> id = f.GetPropertyName();
        FdoPtr<FdoExpression> g = f.GetGeometry();
        std::wstring text = Shown(f.ToString());
        FdoPtr<FdoByteArray> literal = Literal(g, text);
        m_out = MakeSpatial(Geos(), Expr(id), f.GetOperation(), literal, text);
    }

    void ProcessDistanceCondition(FdoDistanceCondition& f) override {
        FdoPtr<FdoIdentifier> id = f.GetPropertyName();
        FdoPtr<FdoExpression> g = f.GetGeometry();
        std::wstring text = Shown(f.ToString());
        FdoPtr<FdoByteArray> literal = Literal(g, text);
        m_out = MakeDistance(Geos(), Expr(id), f.GetOperation(), literal, f.GetDistance(), text);
    }

protected:
    void Dispose() override {}

private:
    GeosContext& Geos() {
        if (!m_geos) m_geos = std::make_unique<GeosContext>();
        return *m_geos;
    }

    // The literal bound to a parameter.
    FdoLiteralValue* Parameter(FdoString* name) {
        FdoPtr<FdoParameterValue> p = m_params ? m_params->FindItem(name) : nullptr;
        FdoLiteralValue* value = p ? p->GetValue() : nullptr;
        if (!value)
            throw FdoFilterException::Create(FdoStringP::Format(L"No value is bound to the parameter '%ls'.", name));
        return value;
    }

    // The FGF of the geometry of a spatial or distance condition.
    FdoByteArray* Literal(FdoExpression* g, const std::wstring& text) {
        FdoPtr<FdoExpression> literal = FDO_SAFE_ADDREF(g);
        if (g && g->GetExpressionType() == FdoExpressionItemType_Parameter)
            literal = Parameter(static_cast<FdoParameter*>(g)->GetName());
        FdoByteArray* fgf = nullptr;
        if (literal && literal->GetExpressionType() == FdoExpressionItemType_GeometryValue)
            fgf = static_cast<FdoGeometryValue*>(literal.p)->GetGeometry();
        if (!fgf)
            throw FdoFilterException::Create(FdoStringP::Format(
                L"The geometry in '%ls' must be a literal geometry or a parameter bound to one.", text.c_str()));
        return fgf;
    }

    size_t Slot(FdoIdentifier* id) {
        std::wstring name = id->GetText();
        for (size_t i = 0; i < m_slots.size(); i++)
            if (m_slots[i].name == name) return i;
        FdoFilterEval::Slot s;
        s.name = name;
        if (m_class) {
            FdoPtr<FdoPropertyDefinition> p = FindProperty(name.c_str());
            if (!p) {
                s.name = id->GetName();
                p = FindProperty(id->GetName());
            }
            if (!p)
                throw FdoFilterException::Create(FdoStringP::Format(L"The filter property '%ls' is not in class '%ls'.",
                                                                    name.c_str(), m_class->GetName()));
            s.typeKnown = true;
            if (p->GetPropertyType() == FdoPropertyType_GeometricProperty) {
                s.isGeometry = true;
            } else if (p->GetPropertyType() == FdoPropertyType_DataProperty) {
                s.type = static_cast<FdoDataPropertyDefinition*>(p.p)->GetDataType();
            } else {
                throw FdoFilterException::Create(FdoStringP::Format(
                    L"The property '%ls' cannot be used in a filter: only data and geometry properties can.",
                    name.c_str()));
            }
        }
        m_slots.push_back(s);
        return m_slots.size() - 1;
    }

    FdoPropertyDefinition* FindProperty(FdoString* name) {
        FdoPtr<FdoPropertyDefinitionCollection> own = m_class->GetProperties();
        FdoPropertyDefinition* p = own->FindItem(name);
        if (p) return p;
        FdoPtr<FdoReadOnlyPropertyDefinitionCollection> base = m_class->GetBaseProperties();
        return base->FindItem(name);
    }

    ExprPtr Expr(FdoExpression* e) {
        if (!e) throw FdoFilterException::Create(L"The filter has an empty expression.");
        switch (e->GetExpressionType()) {
            case FdoExpressionItemType_Identifier: return MakeProperty(Slot(static_cast<FdoIdentifier*>(e)));
            case FdoExpressionItemType_ComputedIdentifier: {
                if (++m_computedDepth > 32)
                    throw FdoFilterException::Create(L"Computed identifiers refer to each other in a cycle.");
                FdoPtr<FdoExpression> inner = static_cast<FdoComputedIdentifier*>(e)->GetExpression();
                ExprPtr node = Expr(inner);
                m_computedDepth--;
                return node;
            }
            case FdoExpressionItemType_Parameter: {
                FdoPtr<FdoLiteralValue> v = Parameter(static_cast<FdoParameter*>(e)->GetName());
                return Expr(v);
            }
            case FdoExpressionItemType_DataValue: return MakeConstant(ValueOf(static_cast<FdoDataValue*>(e)));
            case FdoExpressionItemType_GeometryValue: {
                Value v;
                FdoPtr<FdoByteArray> fgf = static_cast<FdoGeometryValue*>(e)->GetGeometry();
                if (fgf) v.SetBytes(Kind::Geometry, fgf->GetData(), fgf->GetCount(), fgf);
                return MakeConstant(v);
            }
            case FdoExpressionItemType_Function: {
                auto* f = static_cast<FdoFunction*>(e);
                FdoPtr<FdoExpressionCollection> args = f->GetArguments();
                std::vector<ExprPtr> nodes;
                for (FdoInt32 i = 0; i < args->GetCount(); i++) {
                    FdoPtr<FdoExpression> arg = args->GetItem(i);
                    nodes.push_back(Expr(arg));
                }
                return MakeFunction(f->GetName(), std::move(nodes));
            }
            case FdoExpressionItemType_BinaryExpression: {
                auto* b = static_cast<FdoBinaryExpression*>(e);
                FdoPtr<FdoExpression> l = b->GetLeftExpression(), r = b->GetRightExpression();
                ExprPtr left = Expr(l);
                return MakeBinary(b->GetOperation(), std::move(left), Expr(r));
            }
            case FdoExpressionItemType_UnaryExpression: {
                FdoPtr<FdoExpression> operand = static_cast<FdoUnaryExpression*>(e)->GetExpression();
                return MakeNegate(Expr(operand));
            }
            case FdoExpressionItemType_SubSelectExpression: break;
        }
        throw FdoFilterException::Create(L"Sub-selects are not supported by this provider.");
    }

    FdoClassDefinition* m_class;
    FdoParameterValueCollection* m_params;
    std::vector<FdoFilterEval::Slot>& m_slots;
    std::unique_ptr<GeosContext>& m_geos;
    FilterPtr m_out;
    int m_computedDepth = 0;
};

}  // namespace

struct FdoCommonFilterEvaluator::Impl {
    std::vector<Slot> slots;
    std::unique_ptr<GeosContext> geos;  // declared before root: nodes release GEOS objects first
    FilterPtr root;
    FdoIReader* bound = nullptr;
    Row row;

    // A reader released and another made at the same address would look
    // like the bound one; its names at the cached indexes tell.
    bool StillBound() {
        try {
            for (Slot& s : slots)
                if (s.readerName != bound->GetPropertyName(s.index)) return false;
        } catch (FdoException* e) {
            e->Release();
            return false;
        }
        return true;
    }

    void Bind(FdoIReader* reader) {
        bound = nullptr;
        row.reader = reader;
        row.featureReader = dynamic_cast<FdoIFeatureReader*>(reader);
        row.slots = &slots;
        auto* dataReader = dynamic_cast<FdoIDataReader*>(reader);
        for (Slot& s : slots) {
            try {
                s.index = reader->GetPropertyIndex(s.name.c_str());
                s.readerName = reader->GetPropertyName(s.index);
                if (!s.typeKnown && dataReader) {
                    FdoPropertyType type = dataReader->GetPropertyType(s.index);
                    s.isGeometry = type == FdoPropertyType_GeometricProperty;
                    if (type == FdoPropertyType_DataProperty) s.type = dataReader->GetDataType(s.index);
                    else if (!s.isGeometry) throw FdoFilterException::Create(L"Only data and geometry properties can be filtered.");
                } else if (!s.typeKnown) {
                    throw FdoFilterException::Create(L"The reader does not describe its property types.");
                }
            } catch (FdoException* e) {
                FdoPtr<FdoException> cause(e);
                throw FdoFilterException::Create(
                    FdoStringP::Format(L"The filter property '%ls' cannot be read from this reader.", s.name.c_str()),
                    cause);
            }
        }
        bound = reader;
    }
};

FdoCommonFilterEvaluator::FdoCommonFilterEvaluator() : m(std::make_unique<Impl>()) {}
FdoCommonFilterEvaluator::~FdoCommonFilterEvaluator() = default;

FdoCommonFilterEvaluator* FdoCommonFilterEvaluator::Create(FdoFilter* filter, FdoClassDefinition* classDefinition,
                                                           FdoParameterValueCollection* parameters) {
    FdoPtr<FdoCommonFilterEvaluator> e = new FdoCommonFilterEvaluator();
    if (filter) {
        Compiler compiler(classDefinition, parameters, e->m->slots, e->m->geos);
        e->m->root = compiler.Filter(filter);
    }
    return e.Detach();
}

bool FdoCommonFilterEvaluator::IsMatch(FdoIReader* reader) {
    if (!m->root) return true;
    if (!reader) throw FdoFilterException::Create(L"A reader is required to evaluate a filter.");
    if (reader != m->bound || !m->StillBound()) m->Bind(reader);
    return m->root->Eval(m->row) == Tri::True;
}
