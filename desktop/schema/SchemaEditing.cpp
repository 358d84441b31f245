#include "schema/SchemaEditing.h"

#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

#include <functional>

namespace {

std::wstring W(const QString& text) { return text.toStdWString(); }

QString FirstFreeName(const QString& base, const std::function<bool(const QString&)>& taken) {
    if (!taken(base)) return base;
    for (int n = 2;; ++n) {
        const QString name = base + QLatin1Char(' ') + QString::number(n);
        if (!taken(name)) return name;
    }
}

QString Message(FdoException* e) {
    const QString text = QString::fromWCharArray(e->GetExceptionMessage());
    e->Release();
    return text;
}

}  // namespace

FdoFeatureSchema* FindSchema(FdoFeatureSchemaCollection* schemas, const QString& name) {
    for (FdoInt32 i = 0; i < schemas->GetCount(); ++i) {
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(i);
        if (QString::fromWCharArray(schema->GetName()) == name) return schema.p;
    }
    return nullptr;
}

QString FreeSchemaName(FdoFeatureSchemaCollection* schemas) {
    return FirstFreeName(QStringLiteral("New Schema"),
                         [schemas](const QString& name) { return FindSchema(schemas, name) != nullptr; });
}

bool ClassNameTaken(FdoFeatureSchema* schema, const QString& name, FdoClassDefinition* except) {
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    for (FdoInt32 i = 0; i < classes->GetCount(); ++i) {
        FdoPtr<FdoClassDefinition> other = classes->GetItem(i);
        if (other.p != except && QString::fromWCharArray(other->GetName()) == name) return true;
    }
    return false;
}

bool PropertyNameTaken(FdoClassDefinition* classDef, const QString& name, FdoPropertyDefinition* except) {
    FdoPtr<FdoPropertyDefinitionCollection> properties = classDef->GetProperties();
    for (FdoInt32 i = 0; i < properties->GetCount(); ++i) {
        FdoPtr<FdoPropertyDefinition> other = properties->GetItem(i);
        if (other.p != except && QString::fromWCharArray(other->GetName()) == name) return true;
    }
    return false;
}

QString FreeClassName(FdoFeatureSchema* schema) {
    return FirstFreeName(QStringLiteral("NewClass"),
                         [schema](const QString& name) { return ClassNameTaken(schema, name); });
}

bool ReplaceClass(FdoFeatureSchema* schema, FdoClassDefinition* original, FdoClassDefinition* edited) {
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    const FdoInt32 index = classes->IndexOf(original);
    if (index < 0) return false;
    FdoPtr<FdoClassDefinition> keep = FDO_SAFE_ADDREF(original);
    classes->RemoveAt(index);
    try {
        classes->Insert(index, edited);
    } catch (FdoException* e) {
        // Put the original back so that nothing is lost.
        e->Release();
        classes->Insert(index, original);
        return false;
    }
    return true;
}

e_CopyClassResult CopyClassInto(FdoFeatureSchemaCollection* schemas, FdoClassDefinition* classDef,
                                const QString& schemaName, const QString& className, FdoFeatureSchema*& target,
                                bool& schemaCreated) {
    schemaCreated = false;
    target = FindSchema(schemas, schemaName);
    if (target && ClassNameTaken(target, className)) return e_CopyClassResult::DuplicateName;
    FdoPtr<FdoClassDefinition> copy = c_FDO_Api::DeepCopyFdoClassDefinition(classDef);
    if (!copy) return e_CopyClassResult::Failed;
    try {
        copy->SetName(W(className).c_str());
        if (!target) {
            FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(W(schemaName).c_str(), L"");
            schemas->Add(schema.p);
            target = schema.p;
            schemaCreated = true;
        }
        FdoPtr<FdoClassCollection> classes = target->GetClasses();
        classes->Add(copy.p);
    } catch (FdoException* e) {
        e->Release();
        return e_CopyClassResult::Failed;
    }
    return e_CopyClassResult::Copied;
}

FdoFeatureSchemaCollection* CollectClasses(const QList<FdoClassDefinition*>& classes) {
    FdoPtr<FdoFeatureSchemaCollection> result = FdoFeatureSchemaCollection::Create(nullptr);
    for (FdoClassDefinition* classDef : classes) {
        FdoPtr<FdoFeatureSchema> schema = classDef->GetFeatureSchema();
        if (!schema) continue;
        FdoFeatureSchema* copySchema = FindSchema(result, QString::fromWCharArray(schema->GetName()));
        if (!copySchema) {
            FdoPtr<FdoFeatureSchema> made = c_FDO_Api::DeepCopyFdoFeatureSchema(schema.p, false);
            if (!made) continue;
            result->Add(made.p);
            copySchema = made.p;
        }
        FdoPtr<FdoClassDefinition> copy = c_FDO_Api::DeepCopyFdoClassDefinition(classDef);
        if (!copy) continue;
        FdoPtr<FdoClassCollection> copyClasses = copySchema->GetClasses();
        copyClasses->Add(copy.p);
    }
    return FDO_SAFE_ADDREF(result.p);
}

FdoFeatureSchemaCollection* ReadSchemaFile(const QString& path, QString& error) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    try {
        schemas->ReadXml(W(path).c_str());
    } catch (FdoException* e) {
        error = Message(e);
        return nullptr;
    }
    return FDO_SAFE_ADDREF(schemas.p);
}
