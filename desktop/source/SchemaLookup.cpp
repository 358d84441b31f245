#include "source/SchemaLookup.h"

#include <Fdo.h>

QStringList QualifiedClassNames(FdoFeatureSchemaCollection* schemas) {
    QStringList names;
    if (!schemas) return names;
    for (FdoInt32 s = 0; s < schemas->GetCount(); s++) {
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(s);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 c = 0; c < classes->GetCount(); c++) {
            FdoPtr<FdoClassDefinition> classDef = classes->GetItem(c);
            names << FromFdo(classDef->GetQualifiedName());
        }
    }
    return names;
}

FdoClassDefinition* FindClassByQualifiedName(FdoFeatureSchemaCollection* schemas, const QString& name) {
    if (!schemas) return nullptr;
    for (FdoInt32 s = 0; s < schemas->GetCount(); s++) {
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(s);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 c = 0; c < classes->GetCount(); c++) {
            FdoPtr<FdoClassDefinition> classDef = classes->GetItem(c);
            if (FromFdo(classDef->GetQualifiedName()) == name) return classDef.Detach();
        }
    }
    return nullptr;
}

QString TrueFalse(bool value) { return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

QString FromFdo(const wchar_t* text) { return text ? QString::fromWCharArray(text) : QString(); }
